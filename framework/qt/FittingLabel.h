#pragma once

// Framework-internal: the widget of a label.

#include <QFont>
#include <QLabel>

namespace fw {

// A label whose one line of text keeps to its box: where the text is wider
// than the label, its type shrinks until the whole text shows (a drawn number
// must never be cut off). Wrapped text keeps its size.
class FittingLabel : public QLabel {
public:
    using QLabel::QLabel;

    void SetLook(const QFont& font, bool single_line);
    // Fits the type to the text as it is now.
    void Refit();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QFont m_font;
    bool m_single_line { true };
};

}
