#include <optional>

#include "log_app.h"
#include "program_resources.h"
#include "run_command_line.h"

// The one application object, alive for the whole program. Constructing it starts nothing: the
// GUI starts in AfxWinMain, which the command-line actions never reach.
CLogApp theApp;

int main(int argc, char** argv) {
    if (const std::optional<int> status = RunCommandLine(argc, argv)) {
        return *status;
    }
    return AfxWinMain(argc, argv, ProgramResources());
}
