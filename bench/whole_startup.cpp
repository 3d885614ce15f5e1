// The start-up of the whole process on an X display, Tarvo beside the floor Qt sets: from just
// before each process is created to the end of its first paint of the main window. Tarvo is the
// start-up probe (the real program, ended after that paint); the floor is bare_dialog, a bare Qt
// dialog of the same size. The two are started in turns, Tarvo then the bare dialog, round after
// round, so that whatever else loads the machine weighs on both alike; one untimed round first
// brings both programs and their libraries into memory and tells the window's size.
//
//   whole_startup [ROUNDS]     (default 15), with DISPLAY naming the X display to show them on
//
// For an empty log, a 10k-entry and a 100k-entry log it prints one line of "name=value" pairs:
// the median and the fastest time of each program in ms, the ratios Tarvo/bare of the two, and
// the median CPU time and count of minor page faults of each whole process (start to exit).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "probe_run.h"
#include "storage_card.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// What the starts of one program gave: the time to its first paint, and what the whole process
// used (CPU time; pages touched for the first time, which cost this machine far more than the
// instructions around them).
struct Starts {
    std::vector<double> ms;
    std::vector<double> cpuMs;
    std::vector<double> faults;

    // One start of `command` to its first paint; false, with a message, when it did not paint.
    bool Add(const std::vector<std::string>& command, std::map<std::string, long long>& figures) {
        figures = RunProbe(command);
        if (figures["exit_status"] != 0 || figures.count("first_paint_ns") == 0) {
            std::fprintf(stderr, "%s did not paint its window (exit status %lld)\n",
                         command.front().c_str(), figures["exit_status"]);
            return false;
        }
        ms.push_back(static_cast<double>(figures["first_paint_ns"] - figures["started_ns"]) * 1e-6);
        cpuMs.push_back(static_cast<double>(figures["cpu_us"]) * 1e-3);
        faults.push_back(static_cast<double>(figures["minor_faults"]));
        return true;
    }
    double Fastest() const { return *std::min_element(ms.begin(), ms.end()); }
};

bool Measure(int entries, int rounds) {
    const StorageCard card(entries, StorageCard::Medium::Disk);
    if (!card.ok()) {
        std::fprintf(stderr, "no storage card with a %d-entry log\n", entries);
        return false;
    }
    const std::vector<std::string> tarvo = {TARVO_STARTUP_PROBE};
    std::map<std::string, long long> figures;
    Starts untimed;
    if (!untimed.Add(tarvo, figures)) {
        return false;
    }
    const std::vector<std::string> bare = {TARVO_BARE_DIALOG,
                                           std::to_string(figures["window_width"]),
                                           std::to_string(figures["window_height"])};
    if (!untimed.Add(bare, figures)) {
        return false;
    }
    Starts tarvoStarts;
    Starts bareStarts;
    for (int round = 0; round < rounds; ++round) {
        if (!tarvoStarts.Add(tarvo, figures) || !bareStarts.Add(bare, figures)) {
            return false;
        }
    }
    const double tarvoMedian = Median(tarvoStarts.ms);
    const double bareMedian = Median(bareStarts.ms);
    std::printf(
        "entries=%d window=%sx%s tarvo_median_ms=%.1f tarvo_fastest_ms=%.1f bare_median_ms=%.1f "
        "bare_fastest_ms=%.1f ratio_of_medians=%.2f ratio_of_fastest=%.2f tarvo_cpu_ms=%.1f "
        "bare_cpu_ms=%.1f tarvo_minor_faults=%.0f bare_minor_faults=%.0f\n",
        entries, bare[1].c_str(), bare[2].c_str(), tarvoMedian, tarvoStarts.Fastest(), bareMedian,
        bareStarts.Fastest(), tarvoMedian / bareMedian,
        tarvoStarts.Fastest() / bareStarts.Fastest(), Median(tarvoStarts.cpuMs),
        Median(bareStarts.cpuMs), Median(tarvoStarts.faults), Median(bareStarts.faults));
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    const char* display = std::getenv("DISPLAY");
    if (rounds <= 0 || argc > 2 || display == nullptr || *display == '\0') {
        std::fprintf(stderr,
                     "usage: whole_startup [ROUNDS], with DISPLAY naming an X display "
                     "(scripts/bench starts one on Xvfb)\n");
        return 2;
    }
    // Both programs are to show their windows on that display, whatever platform was chosen for
    // the other benchmarks.
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    for (const int entries : {0, 10'000, 100'000}) {
        if (!Measure(entries, rounds)) {
            return 1;
        }
    }
    return 0;
}
