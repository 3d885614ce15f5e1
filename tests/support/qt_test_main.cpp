#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include "resource_table.h"
#include "test_resources.h"

// Qt tests run headless: the offscreen platform unless the caller chose another. The templates
// and icons are the test binary's own (TestResources), as the program's are its own. What the
// program remembers between starts (QSettings) goes to a configuration folder of this process's
// own, never the user's, and no test process sees another's.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QApplication application(argc, argv);
    AfxSetResourceTable(&TestResources());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
