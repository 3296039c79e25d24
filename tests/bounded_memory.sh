#!/usr/bin/env bash
# Generate mode keeps its memory bounded whatever the listing holds: a
# gigabyte of blank lines behind a few entries, and single lines of 100 MB.
# Peak resident memory (GNU time's maximum resident set size) must stay
# under 64 MB, and the outputs must be exact.
#   bounded_memory.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
limit_kb=65536
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

failures=0
passes=0
expect_run() {  # expect_run NAME EXPECTED_MESSAGE EXPECTED_STATUS [EXPECTED_INDEX_FILE]
  local status=0
  /usr/bin/time -f '%M' -o rss.txt "$program" tv > out.txt || status=$?
  local peak_kb message
  peak_kb=$(tail -n 1 rss.txt)
  message=$(sed -n '2p' out.txt | tr -d '\r')
  if [[ "$status" != "$3" || "$message" != "$2" || "$peak_kb" -ge "$limit_kb" ]]; then
    echo "FAILED $1: status $status, message '$message', peak ${peak_kb} KB"
    failures=$((failures + 1))
  else
    echo "ok $1: peak ${peak_kb} KB"
    passes=$((passes + 1))
  fi
  if [[ $# -ge 4 ]] && ! cmp -s tv.ndx "$4"; then
    echo "FAILED $1: index file differs"
    failures=$((failures + 1))
  fi
}

# The index file of the two-entry guide: News at 18:30, Film at 19:00 on 24 April 2000.
printf '\x02\x00\x00\x00\x00\x44\x36\x19\x1b\xae\xbf\x01\x1a\x00\x00\x00\x00\x78\x18\x4a\x1f\xae\xbf\x01\x20\x00' \
  > news_and_film.ndx

# 1. Two entries, a gigabyte of blank lines (read to its end), then garbage.
{
  printf '24 4 2000 18 30 1\r\nNews\r\n24 4 2000 19 0 1\r\nFilm\r\n'
  head -c 1073741824 /dev/zero | tr '\0' '\n'
  printf 'garbage \xff\xfe after the blank lines\r\n'
} > tv.txt
expect_run "gigabyte of blank lines and garbage" ".ndx and .pdt files created success." 0 news_and_film.ndx

# 2. A 100 MB line whose title ends at a NUL near its start, then one more entry.
{
  printf '24 4 2000 18 30 1\r\nNews\0'
  head -c 104857600 /dev/zero | tr '\0' 'x'
  printf '\r\n24 4 2000 19 0 1\r\nFilm\r\n'
} > tv.txt
expect_run "100 MB line behind a NUL" ".ndx and .pdt files created success." 0 news_and_film.ndx

# 3. A 100 MB title.
{
  printf '24 4 2000 18 30 1\r\n'
  head -c 104857600 /dev/zero | tr '\0' 'x'
  printf '\r\n'
} > tv.txt
expect_run "100 MB title" "Title too long in entry 1!" 1

echo "$passes passed, $failures failed"
[[ $failures -eq 0 ]]
