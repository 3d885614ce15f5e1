// The program's own figures, measured through its real widgets on Qt's offscreen platform: the
// list fill and a column sort of 100k rows, each record command at 10k and 100k entries (commit
// included: sort, recompute, save, load, list refill, and the repaint that shows it), the start-up
// to the first painted main dialog, and the resident memory with a 100k-entry log listed.
// Targets: FillList 100 ms, a column sort 300 ms, a command 16 ms at 10k and 150 ms at 100k,
// start-up 300 ms at 10k, resident memory under 150 MB at 100k.
//
// Commands run on a card on the machine's disk, as the program runs, and again on tmpfs, where
// a save's two flushes cost nothing: the difference is what waiting for the medium costs.

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QWidget>

#include "app_driver.h"
#include "log_dlg.h"
#include "probe_run.h"
#include "program_resources.h"
#include "resource.h"
#include "storage_card.h"

namespace {

using Clock = std::chrono::steady_clock;

StorageCard::Medium MediumOf(const benchmark::State& state) {
    return state.range(1) != 0 ? StorageCard::Medium::Tmpfs : StorageCard::Medium::Disk;
}

// Runs the program on a card with a log of state.range(0) entries; `step` is one timed user
// action on the open main dialog, `prepare` what comes before it untimed (a row click).
template <typename Prepare, typename Step>
void TimeSteps(benchmark::State& state, StorageCard::Medium medium, Prepare prepare, Step step) {
    const StorageCard card(static_cast<int>(state.range(0)), medium);
    if (!card.ok()) {
        state.SkipWithError("no storage card");
        return;
    }
    AppDriver driver;
    bool ran = false;
    driver.Run([&](CLogDlg& dlg) {
        ran = true;
        int64_t n = 0;
        for (auto _ : state) {
            prepare(dlg, driver, n);
            const Clock::time_point start = Clock::now();
            step(dlg, n);
            dlg.GetWindowWidget()->repaint();
            state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
            ++n;
        }
    });
    if (!ran || !driver.Trouble().empty()) {
        state.SkipWithError(ran ? driver.Trouble().c_str() : "the main dialog did not open");
    }
}

void NothingFirst(CLogDlg&, AppDriver&, int64_t) {}

void BM_FillList(benchmark::State& state) {
    TimeSteps(state, StorageCard::Medium::Tmpfs, NothingFirst,
              [](CLogDlg& dlg, int64_t) { dlg.FillList(); });
}

// Every one of the eight visible columns in turn, twice, the direction alternating as the one
// flag makes it: the figure is the mean over all of them.
void BM_ColumnSort(benchmark::State& state) {
    TimeSteps(state, StorageCard::Medium::Tmpfs, NothingFirst,
              [](CLogDlg& dlg, int64_t n) { ClickHeader(dlg, static_cast<int>(n % 8)); });
}

// A new fill-up each time, later than every entry of the sample log, so it lands in front.
void BM_Input(benchmark::State& state) {
    TimeSteps(
        state, MediumOf(state),
        [](CLogDlg& dlg, AppDriver& driver, int64_t n) {
            LogRecord entry = dlg.Book().records[0];
            entry.time.wYear = static_cast<uint16_t>(std::max<int>(entry.time.wYear, 9000));
            entry.time.wSecond = static_cast<uint16_t>(n % 60);
            entry.odo += 400.0;
            entry.fuel = 30.0;
            entry.cost = 4260;
            entry.kind = FillUp;
            driver.entry = entry;
        },
        [](CLogDlg& dlg, int64_t) { ClickButton(dlg, IDC_INPUT); });
}

// The sixth row is corrected: its price changes, its date stays.
void BM_Correct(benchmark::State& state) {
    TimeSteps(
        state, MediumOf(state),
        [](CLogDlg& dlg, AppDriver& driver, int64_t n) {
            ClickRow(dlg, 5);
            LogRecord entry = dlg.Book().records[5];
            entry.cost = 4000 + static_cast<int32_t>(n % 500);
            driver.entry = entry;
        },
        [](CLogDlg& dlg, int64_t) { ClickButton(dlg, IDC_CORRECT); });
}

// The newest entry is deleted and the box confirmed.
void BM_Delete(benchmark::State& state) {
    TimeSteps(
        state, MediumOf(state), [](CLogDlg& dlg, AppDriver&, int64_t) { ClickRow(dlg, 0); },
        [](CLogDlg& dlg, int64_t) { ClickButton(dlg, IDC_DELETE); });
}

// The whole process, from its start to the end of the first paint of the main dialog with its
// list; and the resident memory then (peak and current).
void BM_StartUp(benchmark::State& state) {
    const StorageCard card(static_cast<int>(state.range(0)), StorageCard::Medium::Disk);
    if (!card.ok()) {
        state.SkipWithError("no storage card");
        return;
    }
    double peakMb = 0.0;
    double residentMb = 0.0;
    for (auto _ : state) {
        std::map<std::string, long long> figures = RunProbe({TARVO_STARTUP_PROBE});
        if (figures["exit_status"] != 0 || figures.count("first_paint_ns") == 0) {
            state.SkipWithError("the start-up probe did not paint the main dialog");
            break;
        }
        state.SetIterationTime(
            static_cast<double>(figures["first_paint_ns"] - figures["started_ns"]) * 1e-9);
        peakMb = std::max(peakMb, static_cast<double>(figures["vm_hwm_kb"]) / 1024.0);
        residentMb = std::max(residentMb, static_cast<double>(figures["vm_rss_kb"]) / 1024.0);
    }
    state.counters["VmHWM_MB"] = peakMb;
    state.counters["VmRSS_MB"] = residentMb;
}

// With --benchmark_repetitions, "min" is the figure least disturbed by other work on the machine.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void Timed(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->UseManualTime()->ComputeStatistics("min", Fastest);
}

void Commands(benchmark::internal::Benchmark* b) {
    b->ArgNames({"entries", "tmpfs"});
    for (const int64_t entries : {10'000, 100'000}) {
        b->Args({entries, 0})->Args({entries, 1});
    }
    Timed(b);
}

BENCHMARK(BM_FillList)->Arg(100'000)->Apply(Timed);
BENCHMARK(BM_ColumnSort)->Arg(100'000)->Iterations(16)->Apply(Timed);
BENCHMARK(BM_Input)->Apply(Commands);
BENCHMARK(BM_Correct)->Apply(Commands);
BENCHMARK(BM_Delete)->Apply(Commands);
BENCHMARK(BM_StartUp)->Arg(10'000)->Arg(100'000)->Apply(Timed);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    AfxSetResourceTable(&ProgramResources());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
