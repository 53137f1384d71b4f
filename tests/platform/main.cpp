#include <gtest/gtest.h>

#include <QTemporaryDir>

// Settings land in a folder of their own: Qt reads XDG_CONFIG_HOME once, at the first
// QSettings, so it is set before any test runs.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir config;
    if (!config.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    return RUN_ALL_TESTS();
}
