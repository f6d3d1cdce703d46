// Times loading, repainting and searching with the program's own windows and code, next to plain
// baselines measured in the same run. Prints one "name value unit" line per figure.
// Usage: bytrane_bench [path]  - with a path, the search data is also written there and kept,
// so other tools can be timed on the same bytes.
#include <windows.h>
#include <psapi.h>
#include <immintrin.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "bench/BenchData.h"
#include "framework/DisplayScale.h"
#include "search/Matcher.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/WideText.h"

namespace {

const DWORD MiB = 1024 * 1024;
const DWORD LoadFileBytes = 512 * MiB;
const DWORD SearchBytes = benchdata::SearchBytes;
const DWORD SmallDocumentBytes = 1024;
const DWORD ScrollDocumentBytes = MiB;
const DWORD ChunkBytes = 4 * MiB;
const DWORD CopyChunkBytes = 16 * MiB;
const int Runs = 5;
// The search figures and their references, timed in turn with each other.
const int SearchRuns = 7;
const int LoadRuns = 9;
const int PaintRuns = 21;
// A monitor at 200 %: the view then paints four times the pixels of 96 DPI.
const int ScaledDpi = 192;
const double MillisecondsPerSecond = 1000.0;
const double BytesPerMiB = static_cast<double>(MiB);

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Action>
double TimeOnce(Action action) {
    LARGE_INTEGER from;
    LARGE_INTEGER to;
    QueryPerformanceCounter(&from);
    action();
    QueryPerformanceCounter(&to);
    return Seconds(from, to);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <typename Action>
double MedianSeconds(int runs, Action action) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(TimeOnce(action));
    }
    return Median(times);
}

void Report(const char* name, double value, const char* unit) {
    printf("%s %.3f %s\n", name, value, unit);
    fflush(stdout);
}

double MiBPerSecond(DWORD bytes, double seconds) {
    return static_cast<double>(bytes) / BytesPerMiB / seconds;
}

bool WriteGenerated(const std::string& path, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    benchdata::TextGenerator generator;
    std::vector<uint8_t> chunk(ChunkBytes);
    bool written = true;
    for (DWORD done = 0; done < size && written; done += ChunkBytes) {
        DWORD count = std::min(ChunkBytes, size - done);
        generator.Fill(chunk.data(), count);
        DWORD wrote = 0;
        written = WriteFile(file, chunk.data(), count, &wrote, nullptr) && wrote == count;
    }
    CloseHandle(file);
    return written;
}

// The baseline for a load: the whole file into fresh memory with one call.
bool PlainRead(const std::string& path, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    void* buffer = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD read = 0;
    bool ok = buffer != nullptr && ReadFile(file, buffer, size, &read, nullptr) && read == size;
    if (buffer != nullptr) {
        VirtualFree(buffer, 0, MEM_RELEASE);
    }
    CloseHandle(file);
    return ok;
}

// The search without any of the matcher's shortcuts: every start, every byte.
int64_t PlainFind(const uint8_t* document, uint32_t lastStart, const uint8_t* pattern, uint32_t length) {
    for (uint32_t p = 0; p <= lastStart; ++p) {
        uint32_t i = 0;
        while (i < length && document[p + i] == pattern[i]) {
            ++i;
        }
        if (i == length) {
            return p;
        }
    }
    return NoMatch;
}

// Every load of the benchmark goes through here, so that a change to how the view takes a path
// is made in one place.
bool LoadPath(const std::string& path) {
    return hexView.LoadFile(Wide(path).c_str());
}

double PaintMilliseconds() {
    return MedianSeconds(PaintRuns, [] { hexView.Paint(); }) * MillisecondsPerSecond;
}

bool BenchLoad(const harness::ScratchFolder& folder, const std::string& smallPath) {
    // The process's first repaints, before anything else has run.
    LoadPath(smallPath);
    Report("paint.1KiB_first", PaintMilliseconds(), "ms");
    std::string path = folder.Path("load.bin");
    if (!WriteGenerated(path, LoadFileBytes) || !PlainRead(path, LoadFileBytes)) {
        fprintf(stderr, "cannot write or read %s\n", path.c_str());
        return false;
    }
    if (!LoadPath(path)) {
        fprintf(stderr, "LoadFile failed for %s\n", path.c_str());
        return false;
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        Report("load.peak_working_set_above_file", (static_cast<double>(counters.PeakWorkingSetSize) - LoadFileBytes) / BytesPerMiB,
               "MiB");
        Report("load.peak_pagefile_above_file", (static_cast<double>(counters.PeakPagefileUsage) - LoadFileBytes) / BytesPerMiB,
               "MiB");
    }
    // Each run starts with the big block freed, as a fresh open of the file would.
    std::vector<double> viewTimes;
    std::vector<double> plainTimes;
    // Every other run the plain read goes first, so that neither side always follows the other.
    for (int run = 0; run < LoadRuns; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            LoadPath(smallPath);
            if ((turn + run) % 2 == 0) {
                viewTimes.push_back(TimeOnce([&] { LoadPath(path); }));
            } else {
                plainTimes.push_back(TimeOnce([&] { PlainRead(path, LoadFileBytes); }));
            }
        }
    }
    double view = Median(viewTimes);
    double plain = Median(plainTimes);
    Report("load.hexview", view * MillisecondsPerSecond, "ms");
    Report("load.plain_readfile", plain * MillisecondsPerSecond, "ms");
    // Above 1 when the view loads faster than the plain read.
    Report("load.rate_over_plain", plain / view, "x");

    // Both files begin with the same bytes, so the view shows the same rows whatever the size;
    // alternating the two, round after round, keeps the machine's changing load out of the ratio.
    std::vector<double> smallPaints;
    std::vector<double> largePaints;
    for (int round = 0; round < Runs; ++round) {
        LoadPath(smallPath);
        smallPaints.push_back(PaintMilliseconds());
        LoadPath(path);
        largePaints.push_back(PaintMilliseconds());
    }
    Report("paint.1KiB", Median(smallPaints), "ms");
    Report("paint.512MiB", Median(largePaints), "ms");
    LoadPath(smallPath);
    DeleteFileA(path.c_str());
    return true;
}

void BenchPaint(const harness::ScratchFolder& folder, const std::string& smallPath) {
    LoadPath(smallPath);
    Report("paint.window_width", hexView.clientWidth, "px");
    Report("paint.window_height", hexView.clientHeight, "px");
    // The same size with other content: every byte shown as "00" and ".".
    std::string zerosPath = folder.Write("zeros.bin", std::string(SmallDocumentBytes, '\0'));
    LoadPath(zerosPath);
    Report("paint.1KiB_zeros", PaintMilliseconds(), "ms");
    LoadPath(smallPath);
    DeleteFileA(zerosPath.c_str());

    std::string path = folder.Path("scroll.bin");
    WriteGenerated(path, ScrollDocumentBytes);
    LoadPath(path);
    int pages = 0;
    std::vector<double> perPage;
    for (int run = 0; run < Runs; ++run) {
        hexView.Scroll(SB_TOP, 1);
        pages = 0;
        double total = TimeOnce([&] {
            int before = -1;
            while (hexView.topRow != before) {
                before = hexView.topRow;
                hexView.Scroll(SB_PAGEDOWN, 1);
                ++pages;
            }
        });
        perPage.push_back(total / pages);
    }
    Report("scroll.pages", pages, "pages");
    Report("scroll.per_page_down", Median(perPage) * MillisecondsPerSecond, "ms");
    LoadPath(smallPath);
    DeleteFileA(path.c_str());
}

// The window moved to a 192-DPI monitor and back, as Windows tells it, with the frame at the size
// each move suggests; a repaint at each scale, round after round.
void BenchScaledPaint(const std::string& smallPath) {
    LoadPath(smallPath);
    RECT classic;
    GetWindowRect(mainWindow.hwnd, &classic);
    DisplayScale scaled(ScaledDpi);
    RECT moved = {classic.left, classic.top, classic.left + scaled.Scale(classic.right - classic.left),
                  classic.top + scaled.Scale(classic.bottom - classic.top)};
    std::vector<double> classicPaints;
    std::vector<double> scaledPaints;
    for (int round = 0; round < Runs; ++round) {
        SendMessageA(mainWindow.hwnd, DpiChangedMessage, MAKEWPARAM(ScaledDpi, ScaledDpi),
                     reinterpret_cast<LPARAM>(&moved));
        scaledPaints.push_back(PaintMilliseconds());
        SendMessageA(mainWindow.hwnd, DpiChangedMessage, MAKEWPARAM(DisplayScale::ClassicDpi, DisplayScale::ClassicDpi),
                     reinterpret_cast<LPARAM>(&classic));
        classicPaints.push_back(PaintMilliseconds());
    }
    Report("paint.96dpi", Median(classicPaints), "ms");
    Report("paint.192dpi", Median(scaledPaints), "ms");
}

// The reference passes: every byte of the buffer loaded once at the scan's vector width and
// combined into a result, nothing else. A search can at best keep pace with them.
__attribute__((target("sse2"))) unsigned ReadPass16(const uint8_t* bytes, DWORD size) {
    __m128i low = _mm_setzero_si128();
    __m128i high = low;
    for (DWORD at = 0; at < size; at += 2 * sizeof(__m128i)) {
        low = _mm_or_si128(low, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)));
        high = _mm_or_si128(high, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + sizeof(__m128i))));
    }
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(low, high)));
}

__attribute__((target("avx2"))) unsigned ReadPass32(const uint8_t* bytes, DWORD size) {
    __m256i low = _mm256_setzero_si256();
    __m256i high = low;
    for (DWORD at = 0; at < size; at += 2 * sizeof(__m256i)) {
        low = _mm256_or_si256(low, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + at)));
        high = _mm256_or_si256(high, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + at + sizeof(__m256i))));
    }
    return static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(low, high)));
}

// One scan width as the benchmark names its figures.
struct Width {
    ScanWidth width;
    const char* name;
};

const Width Widths[] = {{ScanWidth::Bytes16, "16"}, {ScanWidth::Bytes32, "32"}};

// Times two things in turn, a then b, Runs times, and gives each one's median in MiB/s over size
// bytes: whatever else the machine does weighs on both alike.
template <typename A, typename B>
void Alternate(DWORD size, A a, B b, double* aRate, double* bRate) {
    std::vector<double> aTimes;
    std::vector<double> bTimes;
    for (int run = 0; run < SearchRuns; ++run) {
        aTimes.push_back(TimeOnce(a));
        bTimes.push_back(TimeOnce(b));
    }
    *aRate = MiBPerSecond(size, Median(aTimes));
    *bRate = MiBPerSecond(size, Median(bTimes));
}

std::string FigureName(const char* kind, const Width& width, const char* name) {
    return std::string(kind) + width.name + "." + name;
}

// The scan over the bytes of a case; false when it finds another match than the data holds.
bool FindChecked(const Width& width, const uint8_t* document, DWORD size, const benchdata::SearchCase& c) {
    uint32_t length = static_cast<uint32_t>(c.pattern.size());
    int64_t found = FindPatternWith(width.width, document, 0, size - length, c.pattern.data(), length, c.fold);
    int64_t expected = benchdata::ExpectedMatch(c, size);
    if (found != expected) {
        fprintf(stderr, "%s, %s-byte scan: match at %lld, expected %lld\n", c.name, width.name,
                static_cast<long long>(found), static_cast<long long>(expected));
        return false;
    }
    return true;
}

// Each ordinary case over the text next to the reference pass of its width over the same buffer.
bool BenchOrdinary(const Width& width, const uint8_t* text, const std::vector<benchdata::SearchCase>& cases) {
    bool ok = true;
    volatile unsigned sink = 0;
    for (const benchdata::SearchCase& c : cases) {
        if (c.adversarial) {
            continue;
        }
        double search = 0;
        double read = 0;
        Alternate(
            SearchBytes, [&] { ok = FindChecked(width, text, SearchBytes, c) && ok; },
            [&] { sink = sink + (width.width == ScanWidth::Bytes32 ? ReadPass32 : ReadPass16)(text, SearchBytes); },
            &search, &read);
        Report(FigureName("search", width, c.name).c_str(), search, "MiB/s");
        Report(FigureName("read", width, c.name).c_str(), read, "MiB/s");
    }
    return ok;
}

// Each adversarial case next to the ordinary case-sensitive text, scanned in turn with it.
bool BenchAdversarial(const Width& width, const uint8_t* text, uint8_t* bytes,
                      const std::vector<benchdata::SearchCase>& cases) {
    const benchdata::SearchCase& ordinary = cases.front();
    bool ok = true;
    for (const benchdata::SearchCase& c : cases) {
        if (!c.adversarial) {
            continue;
        }
        benchdata::FillCase(c, bytes, SearchBytes);
        double search = 0;
        double beside = 0;
        Alternate(
            SearchBytes, [&] { ok = FindChecked(width, bytes, SearchBytes, c) && ok; },
            [&] { ok = FindChecked(width, text, SearchBytes, ordinary) && ok; }, &search, &beside);
        Report(FigureName("search", width, c.name).c_str(), search, "MiB/s");
        Report(FigureName("ordinary", width, c.name).c_str(), beside, "MiB/s");
    }
    return ok;
}

bool BenchSearch(const harness::ScratchFolder& folder, const std::string& smallPath, const std::string& keepPath) {
    std::string path = keepPath.empty() ? folder.Path("search.bin") : keepPath;
    if (!WriteGenerated(path, SearchBytes) || !LoadPath(path)) {
        fprintf(stderr, "cannot write or load %s\n", path.c_str());
        return false;
    }
    const uint8_t* document = hexView.document.data;
    Report("search.widest_scan", CanScan(ScanWidth::Bytes32) ? 32 : 16, "bytes");
    const std::vector<benchdata::SearchCase> cases = benchdata::SearchCases();
    // The adversarial data sits beside the text, so that each case is timed in turn with it.
    uint8_t* bytes = static_cast<uint8_t*>(VirtualAlloc(nullptr, SearchBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (bytes == nullptr) {
        fprintf(stderr, "no memory for the adversarial data\n");
        return false;
    }
    // One untimed pass first: the pages and the processor's clock settle before the first figure.
    volatile unsigned sink = ReadPass16(document, SearchBytes);
    (void)sink;
    bool ok = true;
    for (const Width& width : Widths) {
        if (CanScan(width.width)) {
            ok = BenchOrdinary(width, document, cases) && ok;
            ok = BenchAdversarial(width, document, bytes, cases) && ok;
        }
    }
    VirtualFree(bytes, 0, MEM_RELEASE);

    const benchdata::SearchCase& text = cases.front();
    uint32_t length = static_cast<uint32_t>(text.pattern.size());
    // Kept in a volatile, or the compiler drops a loop whose answer nobody reads.
    volatile int64_t plainFound = 0;
    double plain = MedianSeconds(Runs, [&] { plainFound = PlainFind(document, SearchBytes - length, text.pattern.data(), length); });
    Report("search.plain_byte_loop", MiBPerSecond(SearchBytes, plain), "MiB/s");

    std::vector<uint8_t> copy(CopyChunkBytes);
    double copySeconds = MedianSeconds(Runs, [&] {
        for (DWORD done = 0; done < SearchBytes; done += CopyChunkBytes) {
            memcpy(copy.data(), document + done, CopyChunkBytes);
        }
    });
    Report("search.memcpy", MiBPerSecond(SearchBytes, copySeconds), "MiB/s");

    // Once through the view's own command, which ends in its "Not found" box; the box is
    // closed by the catcher, so its opening is part of this figure.
    memcpy(hexView.pattern, text.pattern.data(), length);
    hexView.patternLength = length;
    hexView.patternIsHex = 0;
    hexView.caseSensitive = 1;
    double viewSeconds = 0;
    {
        harness::BoxCatcher catcher;
        viewSeconds = TimeOnce([&] { hexView.Search(document, 0, SearchBytes - length); });
    }
    Report("search.hexview_once", MiBPerSecond(SearchBytes, viewSeconds), "MiB/s");

    // What the user waits for: opening the file and one Find that ends in "Not found", each run
    // starting from the small document as a fresh open would.
    std::vector<double> openAndFind;
    for (int run = 0; run < Runs; ++run) {
        LoadPath(smallPath);
        harness::BoxCatcher catcher;
        openAndFind.push_back(TimeOnce([&] {
            LoadPath(path);
            hexView.Search(hexView.document.data, 0, SearchBytes - length);
        }));
    }
    Report("search.open_and_find", Median(openAndFind) * MillisecondsPerSecond, "ms");
    LoadPath(smallPath);
    if (keepPath.empty()) {
        DeleteFileA(path.c_str());
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string keepPath = argc > 1 ? argv[1] : "";
    harness::StartProgramWindows();
    harness::ScratchFolder folder;
    std::string smallPath = folder.Path("small.bin");
    if (!WriteGenerated(smallPath, SmallDocumentBytes)) {
        fprintf(stderr, "cannot write %s\n", smallPath.c_str());
        return 1;
    }
    bool ok = BenchLoad(folder, smallPath);
    BenchPaint(folder, smallPath);
    BenchScaledPaint(smallPath);
    ok = BenchSearch(folder, smallPath, keepPath) && ok;
    DeleteFileA(smallPath.c_str());
    return ok ? 0 : 1;
}
