#include "tests/support/Harness.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Headless unless told otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef HAPSAVI_BIN_PATH
    // The program itself, for tests that run it as a user would.
    setenv("HAPSAVI_BIN", HAPSAVI_BIN_PATH, 0);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    harness::StopRuntime();
    return result;
}
