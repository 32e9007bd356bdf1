// SPDX-License-Identifier: GPL-3.0-or-later
// Widget tests run in one QApplication on the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No session bus: a pick in a test must not reach the copies running on the desktop.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // The windows remember their dialogs' folder in the settings file beside this program;
    // each run starts and ends without one.
    const QString settings = QDir(QCoreApplication::applicationDirPath()).filePath("tilesmith.ini");
    QFile::remove(settings);
    const int result = RUN_ALL_TESTS();
    QFile::remove(settings);
    return result;
}
