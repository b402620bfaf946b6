#pragma once

// Framework-internal: the widget of a label.

#include "framework/Control.h"

#include <QFont>
#include <QLabel>
#include <QRectF>

#include <string>

namespace fw {

// A label whose text keeps to its box: where the text does not fit, its type
// shrinks until the whole text shows (a drawn number must never be cut off,
// and large desktop fonts must not run texts into each other). One line fits
// the width and, by its ink, the height; wrapped text fits its lines into the
// height left above the next control below it.
class FittingLabel : public QLabel {
public:
    // How the label looks, from its properties.
    struct Look {
        TextStyle style;
        int32_t text_align { 0 }; // 0 left, 1 centre, 2 right
        bool multiline { false };
        Rgb text_color { };
    };

    FittingLabel(QWidget* parent, const std::string& text);

    void SetLook(const Look& look);
    void ShowText(const std::string& text);
    // Fits the type to the text as it is now.
    void Refit();
    // The box the text keeps to, in the label's coordinates.
    QRectF TextBox() const;

protected:
    bool event(QEvent* event) override;

private:
    QFont m_font;
    bool m_single_line { true };
};

}
