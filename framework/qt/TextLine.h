#pragma once

// Framework-internal: the widget of a one-line text field.

#include "qt/FieldDrag.h"

#include <QClipboard>
#include <QLineEdit>

#include <cstdint>

namespace fw {

// Holds one line: line breaks in text that the user brings in, pasted,
// dropped or from an input method, are dropped (text set by the program is
// kept as it is, so that a field made multi-line later still has its lines).
// The character limit holds for every change of the text, in characters (the
// toolkit's own limit counts UTF-16 units and may cut a character in half).
class TextLine : public QLineEdit {
public:
    // Holds the text, cut at the limit.
    TextLine(QWidget* parent, int32_t limit, const QString& text);

    // Most characters the text may hold; 0 is no limit.
    int32_t limit { 0 };

    // Replaces the whole text, cut at the limit.
    void ShowText(const QString& text);
    // Pastes the text of the clipboard or of the selection (X11's middle click).
    void PasteFrom(QClipboard::Mode mode);

    // Characters (code points) in the text, before a position (a UTF-16
    // unit, as the toolkit counts), and selected; and the position before
    // character `characters`, or the end. Counted without reading the text
    // while it holds no surrogate, which the line learns at each change.
    int64_t Characters() const;
    int64_t CharactersBefore(int position) const;
    int64_t SelectedCharacters() const;
    int PositionOf(int64_t characters) const;

    // Whether a key is being handled: what it would add beyond the limit is refused, not cut.
    bool Typing() const { return m_typing; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void EndUndoStep();
    // The part of the text, without line breaks, that fits in place of `replaced` characters.
    QString Fitting(const QString& text, int64_t replaced) const;

    // Whether the dropped text would go in whole: cut at no limit, no line break dropped.
    bool TakesWhole(const QDropEvent& event) const;

    bool m_surrogates { false };
    bool m_typing { false };
    FieldDrag m_drag { *this };
};

}
