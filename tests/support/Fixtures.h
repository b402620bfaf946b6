#pragma once

// Fixtures that leave the process as they found it, so that the tests of an
// executable pass together in one process, in any order, as well as each in
// a process of its own.

#include <gtest/gtest.h>

#include <memory>

class wHapsavi;

namespace harness {

// Tests on one runtime, started before the suite's first test and shut down
// as the program shuts down after its last. Each test starts with no window
// open and no application object, and whatever it opens is closed after it:
// every window (without its events, as at shutdown), the application object
// and the globals that start-up makes, a substituted Rnd, resource folder or
// unhandled-exception handler, the clipboard. The tests stand in for the
// event loop and never run it; a test that does is a ProgramLife.
class RuntimeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void TearDown() override;
};

// With the application object registered and given its menu bar, as start-up does.
class AppTest : public RuntimeTest {
protected:
    void SetUp() override;
};

// With the program started up to its event loop, the launcher open.
class ProgramTest : public RuntimeTest {
protected:
    void SetUp() override;

    std::shared_ptr<wHapsavi> launcher;
};

// The program's whole life, from RuntimeInit to RuntimeExit, in the test: it
// needs a process with no runtime up, and must leave none up.
class ProgramLife : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}
