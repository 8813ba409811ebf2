// Runs the settings fuzz case without libFuzzer, for a memory checker: first
// every file named on the command line (or every file of a named directory),
// then a fixed pseudo-random series of inputs built in the fuzzer's layout.
//
//   settings_replay <count> [file or directory]...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

#include "settings_fuzzer.h"

namespace {

// splitmix64: the same series on every run.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t below(uint32_t bound) { return static_cast<uint32_t>(next() % bound); }

  private:
    uint64_t state_;
};

void putInt32(std::vector<uint8_t>& out, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
}

int32_t metric(Random& random) {
    static const int32_t kUsual[] = {0,    1,    640,  768,  1079, 1080,
                                     1920, 2159, 2160, 3840, 4320, 7680};
    if (random.below(8) == 0) {
        return static_cast<int32_t>(random.next());
    }
    return kUsual[random.below(sizeof(kUsual) / sizeof(kUsual[0]))];
}

// A settings value near a bound more often than anywhere else.
int32_t interesting(Random& random) {
    static const int32_t kNear[] = {-1936, -968, -700, -484, -483, -350, -175,      -174,
                                    -87,   -1,   0,    1,    2,    3,    4,         5,
                                    7,     1075, 1914, 1915, 4095, 4096, INT32_MIN, INT32_MAX};
    if (random.below(4) == 0) {
        return static_cast<int32_t>(random.next());
    }
    return kNear[random.below(sizeof(kNear) / sizeof(kNear[0]))] +
           static_cast<int32_t>(random.below(3)) - 1;
}

std::vector<uint8_t> makeInput(Random& random) {
    std::vector<uint8_t> in;
    in.push_back(static_cast<uint8_t>(random.below(4) == 0 ? random.next() : 1));
    if (random.below(16) == 0) {
        return in; // screen metrics left at their defaults
    }
    for (int i = 0; i < 4; ++i) {
        putInt32(in, metric(random));
    }
    uint32_t values = random.below(14);
    for (uint32_t v = 0; v < values; ++v) {
        in.push_back(static_cast<uint8_t>(random.below(18)));
        static const uint8_t kTypes[] = {4, 4, 4, 3, 3, 1, 0, 11, 0xFF};
        in.push_back(kTypes[random.below(sizeof(kTypes))]);
        bool shortValue = random.below(2) == 0;
        uint8_t sizeByte = shortValue ? static_cast<uint8_t>(random.below(128))
                                      : static_cast<uint8_t>(128 + random.below(128));
        in.push_back(sizeByte);
        uint32_t size = sizeByte < 128 ? sizeByte % 5u : sizeByte % 65u;
        if (size == 4 && random.below(2) == 0) {
            putInt32(in, interesting(random));
            continue;
        }
        for (uint32_t b = 0; b < size; ++b) {
            in.push_back(static_cast<uint8_t>(random.next()));
        }
    }
    if (random.below(8) == 0 && !in.empty()) {
        in.resize(random.below(static_cast<uint32_t>(in.size()))); // cut off anywhere
    }
    return in;
}

bool runFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::vector<uint8_t> data;
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        data.insert(data.end(), buffer, buffer + got);
    }
    std::fclose(file);
    runSettingsCase(data.data(), data.size());
    return true;
}

int runPath(const std::string& path) {
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) {
        if (!runFile(path)) {
            std::fprintf(stderr, "settings_replay: cannot read %s\n", path.c_str());
            std::exit(2);
        }
        return 1;
    }
    int count = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') {
            count += runFile(path + "/" + entry->d_name) ? 1 : 0;
        }
    }
    closedir(dir);
    return count;
}

} // namespace

int main(int argc, char** argv) {
    long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    int files = 0;
    for (int i = 2; i < argc; ++i) {
        files += runPath(argv[i]);
    }
    Random random(0x7A5C0DE);
    for (long i = 0; i < count; ++i) {
        std::vector<uint8_t> input = makeInput(random);
        runSettingsCase(input.data(), input.size());
    }
    std::printf("settings_replay: %d files and %ld generated inputs, no fault\n", files, count);
    return 0;
}
