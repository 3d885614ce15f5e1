#include <gtest/gtest.h>
#include <QApplication>

#include "resource_table.h"
#include "test_resources.h"

// Qt tests run headless: the offscreen platform unless the caller chose another. The templates
// and icons are the test binary's own (TestResources), as the program's are its own.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    AfxSetResourceTable(&TestResources());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
