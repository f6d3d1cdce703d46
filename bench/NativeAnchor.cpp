// The in-memory anchor of the benchmark: the matcher built natively for the host and glibc's
// memmem, timed over the same bytes in one process, the bytes that bytrane_bench scans under Wine.
// Built with the host compiler by scripts/bench.sh. Prints one "name value unit" line per figure;
// exits non-zero when either scan reports another match than the data holds.
// Usage: native_anchor [CASE...]   (default: every case)
#include <string.h>
#include <sys/mman.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchData.h"
#include "search/Matcher.h"

namespace {

const int Runs = 5;

double Now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Action>
double MedianSeconds(Action action) {
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        double from = Now();
        action();
        times.push_back(Now() - from);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const std::string& name, double seconds, uint32_t bytes) {
    printf("%s %.3f MiB/s\n", name.c_str(), static_cast<double>(bytes) / benchdata::MiB / seconds);
    fflush(stdout);
}

bool Wanted(const char* name, int argc, char** argv) {
    if (argc < 2) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], name) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const uint32_t size = benchdata::SearchBytes;
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        fprintf(stderr, "no memory for the search data\n");
        return 1;
    }
    uint8_t* bytes = static_cast<uint8_t*>(memory);
    bool ok = true;
    for (const benchdata::SearchCase& c : benchdata::SearchCases()) {
        if (!Wanted(c.name, argc, argv)) {
            continue;
        }
        benchdata::FillCase(c, bytes, size);
        int64_t expected = benchdata::ExpectedMatch(c, size);
        uint32_t length = static_cast<uint32_t>(c.pattern.size());
        int64_t found = 0;
        double seconds = MedianSeconds([&] { found = FindPattern(bytes, 0, size - length, c.pattern.data(), length, c.fold); });
        if (found != expected) {
            fprintf(stderr, "%s: native matcher found %lld, expected %lld\n", c.name, static_cast<long long>(found),
                    static_cast<long long>(expected));
            ok = false;
        }
        Report(std::string("native.") + c.name, seconds, size);
        if (c.fold) {
            continue;  // memmem compares exactly
        }
        const void* hit = nullptr;
        seconds = MedianSeconds([&] { hit = memmem(bytes, size, c.pattern.data(), length); });
        int64_t offset = hit != nullptr ? static_cast<const uint8_t*>(hit) - bytes : NoMatch;
        if (offset != expected) {
            fprintf(stderr, "%s: memmem found %lld, expected %lld\n", c.name, static_cast<long long>(offset),
                    static_cast<long long>(expected));
            ok = false;
        }
        Report(std::string("memmem.") + c.name, seconds, size);
    }
    munmap(memory, size);
    return ok ? 0 : 1;
}
