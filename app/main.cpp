#include "log_app.h"
#include "program_resources.h"

// The one application object, alive for the whole program.
CLogApp theApp;

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv, ProgramResources());
}
