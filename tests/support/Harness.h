#pragma once

// Helpers for driving the real program headless.

#include "framework/Control.h"
#include "framework/Window.h"
#include "qt/Widgets.h"

#include <QString>
#include <Qt>

#include <functional>
#include <memory>
#include <string>

namespace harness {

// Starts the runtime and registers every class, once until StopRuntime. A
// runtime that something else started and left up fails the test instead:
// a second one on top of it would not work.
void StartRuntime();
// Shuts down as the program does (finalize, then the runtime), if a runtime is up, whoever started it.
void StopRuntime();
// Whether a runtime is up.
bool RuntimeUp();

// Starts the runtime and runs the program's start-up up to its event loop,
// which a test then stands in for. Returns the launcher window.
std::shared_ptr<fw::Window> StartProgram();

// Lets queued events run (deferred deletions included).
void ProcessEvents();

// The window class's window, open and in front, as its Window menu item leaves it.
template<class W>
std::shared_ptr<W> Open()
{
    auto w = W::Get();
    w->Show();
    ProcessEvents();
    return w;
}

// Always the same sequence of values in [0, 1): a Rnd whose draws a test can repeat.
std::function<double()> FixedSequence();

// The toolkit widgets behind framework objects.
using fw::FrameOf;
using fw::WidgetOf;

// Gives the control the keyboard focus (and its window the activation).
void Focus(const fw::Control& control);

// Types text into a field as keystrokes, at its insertion point.
void Type(const fw::Control& field, const QString& text);
// Presses a key (with modifiers) where the keyboard focus of the window is.
void Key(const fw::Window& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Puts text on the clipboard and pastes it into the field with Ctrl+V.
void Paste(const fw::Control& field, const QString& text);
// A left click in the middle of the control.
void Click(const fw::Control& control);
// Mouse press and release on a control at (x, y) in its own coordinates.
void Press(const fw::Control& control, int x, int y);
void Release(const fw::Control& control, int x, int y);
// The user closes the window with its close button.
void CloseByUser(const fw::Window& window);

// Every exception kept by the framework while a test drove widgets outside
// the event loop must have been looked at: fails the test if one is left.
void ExpectNoPendingException();

}
