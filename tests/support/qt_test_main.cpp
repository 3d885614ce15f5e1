#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include "desktop_locale.h"
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
    // Dates read as the program shows them, from the start of every test (LC_ALL=C: the C
    // locale's "26 Aug 2007 07:30:45"), not only once a test has started the program.
    UseDesktopDateTimeFormats(QLocale());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
