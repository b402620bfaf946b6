#pragma once

// Framework-internal: the toolkit side of a control.

#include "framework/Control.h"

#include <QFont>
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

// The font for a text style: "System" is the platform's default font,
// "SmallSystem" a smaller one, any other name that family; size 0 keeps the default size.
QFont FontFor(const TextStyle& style);

// Converts between the framework's texts and the toolkit's.
QString ToQString(const std::string& utf8);
std::string FromQString(const QString& text);

// Design values read leniently: a value of another kind gives the fallback.
int32_t IntOf(const PropertyValue& value, int32_t fallback = 0);
bool BoolOf(const PropertyValue& value, bool fallback = false);
std::string StringOf(const PropertyValue& value);
Rgb ColorOf(const PropertyValue& value, Rgb fallback = { });

}
