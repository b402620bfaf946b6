#include "tests/support/Fixtures.h"

#include "framework/Application.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "tests/support/Harness.h"
#include "WindowList.h"
#include "qt/TextRewrite.h"

#include <QApplication>
#include <QClipboard>

namespace harness {

namespace {

// What a test may have substituted, back to what the program uses.
void RestoreSubstitutes()
{
    fw::SetRndSource({ });
    fw::SetResourceFolder("");
    fw::SetUnhandledExceptionHandler({ });
}

}

void RuntimeTest::SetUpTestSuite()
{
    StartRuntime();
}

void RuntimeTest::TearDownTestSuite()
{
    StopRuntime();
}

void RuntimeTest::TearDown()
{
    ExpectNoPendingException();
    // As shutdown goes, short of the toolkit: the program's globals and the
    // window lists, then every window still held anywhere, then the work
    // that a window may have left running, then the application object.
    finalize();
    fw::WindowList::Get().DestroyAll();
    fw::WaitForBackgroundWork();
    fw::RuntimeRegisterAppObject(nullptr);
    ProcessEvents();
    ExpectNoPendingException();
    RestoreSubstitutes();
    QApplication::clipboard()->clear();
}

void AppTest::SetUp()
{
    NewAppInstance();
}

void ProgramTest::SetUp()
{
    launcher = fw::CheckCast<wHapsavi>(StartProgram());
}

void ProgramLife::SetUp()
{
    ASSERT_FALSE(RuntimeUp()) << "a runtime is already up, left by an earlier test in this process: "
                                 "a program's whole life needs a process without one";
}

void ProgramLife::TearDown()
{
    if (RuntimeUp()) {
        if (!HasFailure())
            ADD_FAILURE() << "the program's life ended with its runtime still up";
        StopRuntime();
    }
    RestoreSubstitutes();
}

}
