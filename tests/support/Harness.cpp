#include "tests/support/Harness.h"

#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <exception>

namespace harness {

static bool g_started = false;

void StartRuntime()
{
    if (g_started)
        return;
    if (RuntimeUp()) {
        ADD_FAILURE() << "a runtime is already up, left by an earlier test in this process";
        return;
    }
    g_started = true;
    fw::RuntimeInit();
    initialize();
}

void StopRuntime()
{
    g_started = false;
    if (!RuntimeUp())
        return;
    finalize();
    fw::RuntimeExit();
}

bool RuntimeUp()
{
    return QCoreApplication::instance() != nullptr;
}

std::shared_ptr<fw::Window> StartProgram()
{
    StartRuntime();
    fw::InitPluginEntrypoints();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
    return fw::Window::Get(0);
}

void ProcessEvents()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

std::function<double()> FixedSequence()
{
    return [state = uint64_t(1)]() mutable {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<double>(state >> 11) * 0x1.0p-53;
    };
}

void Focus(const fw::Control& control)
{
    QWidget* widget = WidgetOf(control);
    widget->window()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
}

static QWidget* KeyTarget(const fw::Window& window)
{
    QWidget* frame = FrameOf(window);
    QWidget* focus = frame->focusWidget();
    return focus ? focus : frame;
}

void Type(const fw::Control& field, const QString& text)
{
    Focus(field);
    QWidget* widget = WidgetOf(field);
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(widget, Qt::Key_Return);
        else
            QTest::keyClicks(widget, QString(c));
    }
}

void Key(const fw::Window& window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(KeyTarget(window), key, modifiers);
}

void Paste(const fw::Control& field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    Focus(field);
    QTest::keyClick(WidgetOf(field), Qt::Key_V, Qt::ControlModifier);
}

void Click(const fw::Control& control)
{
    QWidget* widget = WidgetOf(control);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void Press(const fw::Control& control, int x, int y)
{
    QTest::mousePress(WidgetOf(control), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

void Release(const fw::Control& control, int x, int y)
{
    QTest::mouseRelease(WidgetOf(control), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

void CloseByUser(const fw::Window& window)
{
    FrameOf(window)->close();
}

void ExpectNoPendingException()
{
    if (std::exception_ptr pending = fw::TakePendingException()) {
        try {
            std::rethrow_exception(pending);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "a handler raised: " << e.what();
        } catch (...) {
            ADD_FAILURE() << "a handler raised an unknown exception";
        }
    }
}

}
