// Makes the benchmark listings, always the same bytes (fixed seed):
//   a.txt  32,755 entries with empty titles: the most entries a guide holds
//   b.txt  2,900 entries with 20-byte titles: a guide's title space nearly full
//   c.txt  a week of one channel, about 400 entries with realistic titles
//   make_listings DIRECTORY
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

struct Clock {
    int year = 2026, month = 12, day = 14, hour = 6, minute = 0, weekday = 1;  // Monday 14 December 2026

    void advance(int minutes) {
        static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        minute += minutes;
        hour += minute / 60;
        minute %= 60;
        while (hour >= 24) {
            hour -= 24;
            weekday = weekday % 7 + 1;
            const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            if (++day > (month == 2 && leap ? 29 : kDays[month - 1])) {
                day = 1;
                if (++month > 12) {
                    month = 1;
                    ++year;
                }
            }
        }
    }

    std::string line() const {
        return std::to_string(day) + " " + std::to_string(month) + " " + std::to_string(year) + " " +
               std::to_string(hour) + " " + std::to_string(minute) + " " + std::to_string(weekday) + "\r\n";
    }
};

const char* const kWords[] = {"News",  "Weather", "Film",    "Morning", "Evening", "Sports", "Kids",  "Club",
                              "Night", "Coast",   "History", "Travel",  "Quiz",    "Jazz",   "Series", "Local",
                              "Live",  "Classic", "Garden",  "Hour",    "Report",  "Talk",   "Show",  "Cinema"};

std::string title_of_length(std::mt19937& random, std::size_t length) {
    std::string title;
    while (title.size() < length) {
        if (!title.empty()) title += ' ';
        title += kWords[random() % std::size(kWords)];
    }
    title.resize(length);
    while (title.back() == ' ') title.back() = 's';
    return title;
}

void write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_listings DIRECTORY\n");
        return 2;
    }
    const std::string directory = argv[1];
    std::mt19937 random(20261211);

    std::string a;
    Clock clock;
    for (int i = 0; i < 32755; ++i, clock.advance(1)) a += clock.line() + std::string(1, '\0') + "\r\n";
    write(directory + "/a.txt", a);

    std::string b;
    clock = Clock{};
    for (int i = 0; i < 2900; ++i, clock.advance(5 + static_cast<int>(random() % 56))) {
        b += clock.line() + title_of_length(random, 20) + "\r\n";
    }
    write(directory + "/b.txt", b);

    std::string c;
    clock = Clock{};
    for (int i = 0; i < 400; ++i, clock.advance(20 + static_cast<int>(random() % 11))) {
        c += clock.line() + title_of_length(random, 8 + random() % 40) + "\r\n";
    }
    write(directory + "/c.txt", c);
    return 0;
}
