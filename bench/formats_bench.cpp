// In-process throughput of the listing reader, the pair writer and the pair
// reader, over a guide with its title space nearly full (2,900 entries with
// 20-byte titles).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "guide_pair.hpp"
#include "modes.hpp"
#include "text_listing.hpp"

namespace {

using namespace skedmill;

constexpr int kEntries = 2900;

std::string make_listing() {
    std::string listing;
    for (int i = 0; i < kEntries; ++i) {
        listing += std::to_string(1 + i % 28) + " 12 2026 " + std::to_string(i % 24) + " " +
                   std::to_string(i % 60) + " " + std::to_string(1 + i % 7) + "\r\nEvening News " +
                   std::to_string(10000000 + i) + "\r\n";
    }
    return listing;
}

struct Memory {
    const std::string* bytes;
    std::size_t position;
};

std::int64_t read_memory(void* context, std::uint8_t* buffer, std::size_t capacity) {
    auto& memory = *static_cast<Memory*>(context);
    const std::size_t n = std::min(capacity, memory.bytes->size() - memory.position);
    std::memcpy(buffer, memory.bytes->data() + memory.position, n);
    memory.position += n;
    return static_cast<std::int64_t>(n);
}

GeneratedRecords make_records() {
    const std::string listing = make_listing();
    Memory memory{&listing, 0};
    ListingReader reader;
    start_listing(reader, read_memory, &memory);
    GeneratedRecords records;
    generate_records(reader, records);
    return records;
}

void listing_reader(benchmark::State& state) {
    const std::string listing = make_listing();
    ListingReader reader;
    ListingEntry entry;
    for (auto _ : state) {
        Memory memory{&listing, 0};
        start_listing(reader, read_memory, &memory);
        int entries = 0;
        while (read_entry(reader, entry) == ListingRead::entry) ++entries;
        benchmark::DoNotOptimize(entries);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * listing.size()));
}
BENCHMARK(listing_reader);

void pair_writer(benchmark::State& state) {
    const GeneratedRecords source = make_records();
    std::string index, titles;
    std::size_t written = 0;
    for (auto _ : state) {
        index.clear();
        titles.clear();
        std::uint32_t offset = 26;
        for (int i = 0; i < kEntries; ++i) {
            const IndexRecord record{0x01DB5B171313C600ull + i * 600'000'000ull, static_cast<std::uint16_t>(offset)};
            std::uint8_t bytes[kIndexRecordSize];
            encode_index_record(record, bytes);
            index.append(reinterpret_cast<const char*>(bytes), kIndexRecordSize);
            append_title_record(titles, "Evening News 1234567");
            offset += 22;
        }
        benchmark::DoNotOptimize(index.data());
        benchmark::DoNotOptimize(titles.data());
        written = index.size() + titles.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}
BENCHMARK(pair_writer);

void pair_reader(benchmark::State& state) {
    const GeneratedRecords records = make_records();
    const std::string program_data = std::string(kProgramDataHeader) + records.title_records;
    const auto* index = reinterpret_cast<const std::uint8_t*>(records.index_records.data());
    const auto* data = reinterpret_cast<const std::uint8_t*>(program_data.data());
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::uint32_t i = 0; i < records.record_count; ++i) {
            const IndexRecord record = decode_index_record(index + i * kIndexRecordSize);
            std::string_view title;
            read_title_record(data, program_data.size(), record.title_offset, title);
            sum += record.start_time + title.size();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * (records.index_records.size() + program_data.size())));
}
BENCHMARK(pair_reader);

bool discard(void* context, const std::string& bytes) {
    *static_cast<std::size_t*>(context) += bytes.size();
    return true;
}

// The whole extraction in memory, text formatting included (for reference).
void extract_in_memory(benchmark::State& state) {
    const GeneratedRecords records = make_records();
    const std::string program_data = std::string(kProgramDataHeader) + records.title_records;
    const PairBytes pair{records.record_count,
                         reinterpret_cast<const std::uint8_t*>(records.index_records.data()),
                         records.index_records.size(),
                         false,
                         reinterpret_cast<const std::uint8_t*>(program_data.data()),
                         program_data.size(),
                         false};
    for (auto _ : state) {
        std::size_t listing_size = 0;
        benchmark::DoNotOptimize(extract_records(pair, discard, &listing_size));
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * (records.index_records.size() + program_data.size())));
}
BENCHMARK(extract_in_memory);

// The whole generation in memory, listing reading included (for reference).
void generate_in_memory(benchmark::State& state) {
    const std::string listing = make_listing();
    ListingReader reader;
    for (auto _ : state) {
        Memory memory{&listing, 0};
        start_listing(reader, read_memory, &memory);
        GeneratedRecords records;
        benchmark::DoNotOptimize(generate_records(reader, records));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * listing.size()));
}
BENCHMARK(generate_in_memory);

}  // namespace

BENCHMARK_MAIN();
