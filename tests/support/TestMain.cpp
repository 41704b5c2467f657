#include ORVANDEL_TEST_APPLICATION_HEADER

#include <gtest/gtest.h>

#include <cstdlib>

// Each layer's tests get the application object that layer needs (no widgets below the desktop);
// the offscreen platform unless the caller set one.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const ORVANDEL_TEST_APPLICATION application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
