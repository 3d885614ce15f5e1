// Load, sort, recompute and save a log of 1k to 1M entries, each printed as time per entry, beside
// the yardstick of merely reading the file's bytes. Target: the whole round (what a command runs:
// sort, recompute, save, load) of 100k entries in 100 ms or less, with the heap's peak at most
// twice the file plus the record array (the counter "peak/budget" stays at or below 1).

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "date_order.h"
#include "file_bytes.h"
#include "log_load.h"
#include "log_record.h"
#include "log_save.h"
#include "recompute.h"
#include "sample_log.h"

// Heap accounting for the memory target: every operator new of this program is counted.
namespace {
std::atomic<std::size_t> heapInUse{0};
std::atomic<std::size_t> heapPeak{0};

void* Counted(void* block) {
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t now = heapInUse += malloc_usable_size(block);
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

// Not inlined: GCC would otherwise see free() meet operator new's result, or one form of delete
// meet another form of new, and warn of a mismatch.
__attribute__((noinline)) void Uncounted(void* block) noexcept {
    heapInUse -= malloc_usable_size(block);
    std::free(block);
}
}  // namespace

void* operator new(std::size_t size) {
    return Counted(std::malloc(size));
}
void* operator new[](std::size_t size) {
    return Counted(std::malloc(size));
}
void operator delete(void* block) noexcept {
    Uncounted(block);
}
void operator delete[](void* block) noexcept {
    Uncounted(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Uncounted(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Uncounted(block);
}

namespace {

namespace fs = std::filesystem;

// One folder for the run, removed at the end; one saved log per size, made on first use.
class Files {
public:
    Files() {
        std::string pattern = (fs::temp_directory_path() / "tarvo-log-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~Files() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const std::string& LogOf(int entries) {
        auto found = logs_.find(entries);
        if (found == logs_.end()) {
            const std::string path = folder_ + "/Tarvo-" + std::to_string(entries) + ".csv";
            WriteSampleLog(path, entries);
            found = logs_.emplace(entries, path).first;
        }
        return found->second;
    }
    std::string Scratch() const { return folder_ + "/Tarvo.csv"; }

private:
    std::string folder_;
    std::map<int, std::string> logs_;
};

Files& TheFiles() {
    static Files files;
    return files;
}

int Entries(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// Wall-clock time per entry (the benchmarks use real time: a save waits for the medium).
void PerEntry(benchmark::State& state) {
    state.counters["per_entry"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::size_t FileSize(const std::string& path) {
    return fs::file_size(path);
}

LogBook Loaded(const std::string& path) {
    LogBook book;
    LoadLog(book, path);
    return book;
}

// The heap's peak during `run`, over what was in use outside `book` before it.
template <typename Run>
std::size_t PeakDuring(const LogBook& book, Run run) {
    const std::size_t outside = heapInUse - book.records.capacity() * sizeof(LogRecord);
    heapPeak = heapInUse.load();
    run();
    return heapPeak - outside;
}

void ReportPeak(benchmark::State& state, std::size_t peak, const std::string& path) {
    const double budget = 2.0 * static_cast<double>(FileSize(path)) +
                          static_cast<double>((Entries(state) + 1) * sizeof(LogRecord));
    state.counters["peak/budget"] = static_cast<double>(peak) / budget;
}

void BM_ReadBytes(benchmark::State& state) {
    const std::string& path = TheFiles().LogOf(Entries(state));
    std::string bytes;
    for (auto _ : state) {
        ReadWholeFile(path, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    PerEntry(state);
    state.counters["file_MB"] = static_cast<double>(FileSize(path)) / 1e6;
}

void BM_Load(benchmark::State& state) {
    const std::string& path = TheFiles().LogOf(Entries(state));
    LogBook book = Loaded(path);
    std::size_t peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, PeakDuring(book, [&] { LoadLog(book, path); }));
    }
    PerEntry(state);
    ReportPeak(state, peak, path);
}

void BM_Sort(benchmark::State& state) {
    LogBook book = Loaded(TheFiles().LogOf(Entries(state)));
    std::vector<LogRecord> shuffled(book.records.begin(), book.records.begin() + book.count);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(shuffled.begin(), shuffled.end(), book.records.begin());
        state.ResumeTiming();
        SortNewestFirst(book);
    }
    PerEntry(state);
}

void BM_SortInOrder(benchmark::State& state) {
    LogBook book = Loaded(TheFiles().LogOf(Entries(state)));
    for (auto _ : state) {
        SortNewestFirst(book);
    }
    PerEntry(state);
}

void BM_Recompute(benchmark::State& state) {
    LogBook book = Loaded(TheFiles().LogOf(Entries(state)));
    for (auto _ : state) {
        RecomputeLog(book);
        benchmark::DoNotOptimize(book.summary.data());
    }
    PerEntry(state);
}

void BM_Save(benchmark::State& state) {
    const LogBook book = Loaded(TheFiles().LogOf(Entries(state)));
    const std::string path = TheFiles().Scratch();
    for (auto _ : state) {
        SaveLog(book, path);
    }
    PerEntry(state);
}

// What every change of the log runs: sort, recompute, save, then read back.
void BM_Round(benchmark::State& state) {
    const std::string path = TheFiles().Scratch();
    const std::string& source = TheFiles().LogOf(Entries(state));
    LogBook book = Loaded(source);
    std::size_t peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, PeakDuring(book, [&] {
                            SortNewestFirst(book);
                            RecomputeLog(book);
                            SaveLog(book, path);
                            LoadLog(book, path);
                        }));
    }
    PerEntry(state);
    ReportPeak(state, peak, source);
}

// With --benchmark_repetitions, "min" is the figure least disturbed by other work on the machine.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    b->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
}

BENCHMARK(BM_ReadBytes)->Apply(Sizes);
BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_Sort)->Apply(Sizes);
BENCHMARK(BM_SortInOrder)->Apply(Sizes);
BENCHMARK(BM_Recompute)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);
BENCHMARK(BM_Round)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
