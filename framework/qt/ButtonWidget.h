#pragma once

// Framework-internal: the widget of a push button (and of a bevel button,
// which is drawn as one).

#include "framework/PushButton.h"

#include <QPushButton>

#include <string>

namespace fw {

class ButtonWidget : public QPushButton {
public:
    // Made in a window's content with the button's caption, default state and
    // type. A click raises the button's Action for as long as `receiver` (the
    // control's connection context) lives.
    ButtonWidget(PushButton& button, QObject* receiver, QWidget* content);

    void SetCaption(const std::string& caption);
    void SetStyle(const TextStyle& style);
};

}
