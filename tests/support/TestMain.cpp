#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Widgets and fonts need an application object; the offscreen platform unless the caller set one.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
