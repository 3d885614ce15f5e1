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
// the median and the fastest time of each program in ms, and the ratios Tarvo/bare of the two.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "probe_run.h"
#include "storage_card.h"

namespace {

struct Times {
    std::vector<double> ms;
    double Median() const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
    }
    double Fastest() const { return *std::min_element(ms.begin(), ms.end()); }
};

// One start of `command` to its first paint, in ms; the figures it printed go to `figures`.
bool TimeOnce(const std::vector<std::string>& command, std::map<std::string, long long>& figures,
              double& ms) {
    figures = RunProbe(command);
    if (figures["exit_status"] != 0 || figures.count("first_paint_ns") == 0) {
        std::fprintf(stderr, "%s did not paint its window (exit status %lld)\n",
                     command.front().c_str(), figures["exit_status"]);
        return false;
    }
    ms = static_cast<double>(figures["first_paint_ns"] - figures["started_ns"]) * 1e-6;
    return true;
}

bool Measure(int entries, int rounds) {
    const StorageCard card(entries, StorageCard::Medium::Disk);
    if (!card.ok()) {
        std::fprintf(stderr, "no storage card with a %d-entry log\n", entries);
        return false;
    }
    const std::vector<std::string> tarvo = {TARVO_STARTUP_PROBE};
    std::map<std::string, long long> figures;
    double ms = 0.0;
    if (!TimeOnce(tarvo, figures, ms)) {
        return false;
    }
    const std::vector<std::string> bare = {TARVO_BARE_DIALOG,
                                           std::to_string(figures["window_width"]),
                                           std::to_string(figures["window_height"])};
    if (!TimeOnce(bare, figures, ms)) {
        return false;
    }
    Times tarvoTimes;
    Times bareTimes;
    for (int round = 0; round < rounds; ++round) {
        if (!TimeOnce(tarvo, figures, ms)) {
            return false;
        }
        tarvoTimes.ms.push_back(ms);
        if (!TimeOnce(bare, figures, ms)) {
            return false;
        }
        bareTimes.ms.push_back(ms);
    }
    std::printf(
        "entries=%d window=%sx%s tarvo_median_ms=%.1f tarvo_fastest_ms=%.1f bare_median_ms=%.1f "
        "bare_fastest_ms=%.1f ratio_of_medians=%.2f ratio_of_fastest=%.2f\n",
        entries, bare[1].c_str(), bare[2].c_str(), tarvoTimes.Median(), tarvoTimes.Fastest(),
        bareTimes.Median(), bareTimes.Fastest(), tarvoTimes.Median() / bareTimes.Median(),
        tarvoTimes.Fastest() / bareTimes.Fastest());
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
