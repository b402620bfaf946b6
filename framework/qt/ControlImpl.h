#pragma once

// Framework-internal: the toolkit side of a control.

#include "framework/Control.h"

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

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
    // The label that names this control to assistive technology, if any.
    QPointer<QWidget> label;

    // What assistive technology calls the widget: its label's text where a
    // label names it; a text field no label names goes by `window_title`.
    // Other controls keep their own text (a button its caption).
    void ApplyName(const std::string& window_title);
    // Large desktop fonts: a push button's caption shrinks to fit it.
    void FitCaption();
};

// A design's default colour (black text, a white field) is no choice against
// the desktop: the role keeps the palette's colour, so text stays legible on a
// dark desktop as on a light one. Any other colour shows as given.
void SetDesignColor(QPalette& palette, QPalette::ColorRole role, Rgb colour, Rgb design_default);

}
