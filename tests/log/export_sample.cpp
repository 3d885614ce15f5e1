// Writes the worked example's export to the file named by its argument, for the test that reads
// it with Python's csv module, as a spreadsheet-minded program would.

#include <cstdio>
#include <fstream>

#include "log_export.h"
#include "log_test_support.h"
#include "recompute.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: export_sample FILE.csv\n");
        return 2;
    }
    LogBook book = WorkedExample();
    RecomputeLog(book);
    const std::string text = ExportLog(book);
    std::ofstream out(argv[1], std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
