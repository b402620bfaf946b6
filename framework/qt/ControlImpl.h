#pragma once

// Framework-internal: the toolkit side of a control.

#include "framework/Control.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace fw {

class Control::Impl {
public:
    Impl() : receiver(std::make_unique<QObject>()) { }
    ~Impl();

    // The control's widget, a child of its window's content; gone with the window.
    QPointer<QWidget> widget;
    // Context of every signal connection the control makes: destroyed with the
    // control, so no connection outlives it.
    std::unique_ptr<QObject> receiver;
    // The window content the widget was made in.
    QPointer<QWidget> content;

    // Cuts every connection of the widget, then destroys it (a control that
    // replaces its widget with one of another kind).
    void DropWidget();
};

}
