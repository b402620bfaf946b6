// The editor of a one-line text field: its widget is a TextLine.

#include "qt/FieldEditor.h"

#include "qt/ControlImpl.h"
#include "qt/Convert.h"
#include "qt/EditMenu.h"
#include "qt/FieldWidgets.h"
#include "qt/TextLine.h"
#include "qt/TextRewrite.h"

#include <QPointer>

namespace fw {

namespace {

class LineEditor final : public FieldEditor {
public:
    LineEditor(EditField& field, Control::Impl& control, int32_t limit, const std::string& text)
        : m_line(new TextLine(control.content, limit, ToQString(text)))
    {
        control.widget = m_line;
        QObject::connect(m_line, &QLineEdit::textChanged, control.receiver.get(), [this] { Changed(); });
        OfferEditMenu(field, *m_line, *m_line, control.receiver.get());
    }

    bool Lost() const override { return !m_line; }

    std::string Text() const override { return FromQString(m_line->text()); }
    void SetText(const std::string& text) override { m_line->ShowText(ToQString(text)); }
    int64_t Length() const override { return m_line->Characters(); }
    // Text set by the program keeps its line breaks.
    bool HasLineBreak() const override { return m_line->text().contains(u'\r') || m_line->text().contains(u'\n'); }

    int64_t SelStart() const override
    {
        return m_line->CharactersBefore(m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition());
    }
    int64_t SelLength() const override { return m_line->SelectedCharacters(); }
    void SetInsertionPoint(int64_t start) override { m_line->setCursorPosition(m_line->PositionOf(start)); }
    void Select(int64_t start, int64_t end) override
    {
        const int from = m_line->PositionOf(start);
        m_line->setSelection(from, m_line->PositionOf(end) - from);
    }

    void SetReadOnly(bool read_only) override { m_line->setReadOnly(read_only); }
    void SetLimit(int32_t limit) override
    {
        m_line->limit = limit;
        if (limit > 0 && m_line->Characters() > limit)
            m_line->ShowText(m_line->text());
    }
    void SetLook(const Look& look) override
    {
        ApplyFontAndColors(*m_line, look);
        m_line->setFrame(look.border);
        m_line->setEchoMode(look.password ? QLineEdit::Password : QLineEdit::Normal);
        m_line->setAlignment(AlignmentOf(look) | Qt::AlignVCenter);
    }

    bool CanUndo() const override { return m_line->isUndoAvailable(); }
    bool HasSelection() const override { return m_line->hasSelectedText(); }
    bool CanPaste() const override { return ClipboardOffersText(); }
    void Undo() override { m_line->undo(); }
    void Cut() override { m_line->cut(); }
    void Copy() override { m_line->copy(); }
    void Paste() override { m_line->PasteFrom(QClipboard::Clipboard); }
    void Clear() override { m_line->del(); }
    void SelectAll() override { m_line->selectAll(); }

    std::unique_ptr<TextRewrite> StartRewrite(const Rewrite&) override { return nullptr; }

private:
    QPointer<TextLine> m_line;
};

}

std::unique_ptr<FieldEditor> MakeLineEditor(EditField& field, Control::Impl& control, int32_t limit,
    const std::string& text)
{
    return std::make_unique<LineEditor>(field, control, limit, text);
}

}
