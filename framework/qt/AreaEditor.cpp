// The editor of a multi-line text field: its widget is a TextArea, whose
// DocumentIndex gives counts and positions without reading the text out.

#include "qt/FieldEditor.h"

#include "qt/ControlImpl.h"
#include "qt/Convert.h"
#include "qt/EditMenu.h"
#include "qt/FieldWidgets.h"
#include "qt/TextArea.h"
#include "qt/TextRewrite.h"
#include "qt/TextUnits.h"

#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace fw {

namespace {

// From this many characters on, a rewrite runs in the background; below, it
// is over sooner than the busy cursor could show.
constexpr int kLongText = 1 << 16;

// The text as the field reports it: a line break is one CR (Shift+Return makes a line separator).
std::string Reported(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\r');
    text.replace(QChar::LineSeparator, u'\r');
    return FromQString(text);
}

class AreaEditor final : public FieldEditor {
public:
    AreaEditor(EditField& field, Control::Impl& control, int32_t limit, const std::string& text)
        : m_area(new TextArea(control.content, limit, ToQString(text)))
    {
        control.widget = m_area;
        QObject::connect(m_area, &QPlainTextEdit::textChanged, control.receiver.get(), [this] { Changed(); });
        OfferEditMenu(field, *m_area, *m_area->viewport(), control.receiver.get());
    }

    bool Lost() const override { return !m_area; }

    std::string Text() const override { return Reported(m_area->document()->toRawText()); }
    void SetText(const std::string& text) override { m_area->ShowText(ToQString(text)); }
    int64_t Length() const override { return m_area->Index().Characters(); }
    bool HasLineBreak() const override
    {
        const QTextDocument& document = *m_area->document();
        return document.blockCount() > 1 || document.firstBlock().text().contains(QChar::LineSeparator);
    }

    int64_t SelStart() const override { return m_area->Index().CharactersBefore(m_area->textCursor().selectionStart()); }
    int64_t SelLength() const override { return m_area->SelectedCharacters(); }
    void SetInsertionPoint(int64_t start) override
    {
        QTextCursor cursor = m_area->textCursor();
        cursor.setPosition(m_area->Index().PositionOf(start));
        m_area->setTextCursor(cursor);
    }
    void Select(int64_t start, int64_t end) override
    {
        DocumentIndex& index = m_area->Index();
        QTextCursor cursor = m_area->textCursor();
        cursor.setPosition(index.PositionOf(start));
        cursor.setPosition(index.PositionOf(end), QTextCursor::KeepAnchor);
        m_area->setTextCursor(cursor);
    }

    void SetReadOnly(bool read_only) override { m_area->SetReadOnly(read_only); }
    void SetLimit(int32_t limit) override
    {
        m_area->limit = limit;
        const int keep = m_area->Index().PositionOf(limit);
        if (limit > 0 && keep < m_area->document()->characterCount() - 1) {
            QTextCursor cursor(m_area->document());
            cursor.setPosition(keep);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
    void SetLook(const Look& look) override
    {
        ApplyFontAndColors(*m_area, look);
        m_area->setFrameShape(look.border ? QFrame::StyledPanel : QFrame::NoFrame);
        // Without AcceptTabs, Tab moves the focus on.
        m_area->setTabChangesFocus(!look.accept_tabs);
        m_area->setVerticalScrollBarPolicy(look.scrollbar_vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        // Without a horizontal scroll bar, lines wrap at the field's width.
        m_area->setHorizontalScrollBarPolicy(look.scrollbar_horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        m_area->setLineWrapMode(look.scrollbar_horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        const Qt::Alignment alignment = AlignmentOf(look);
        QTextOption option = m_area->document()->defaultTextOption();
        if (option.alignment() != alignment) {
            option.setAlignment(alignment);
            m_area->document()->setDefaultTextOption(option);
        }
    }

    bool CanUndo() const override { return m_area->document()->isUndoAvailable(); }
    bool HasSelection() const override { return m_area->textCursor().hasSelection(); }
    bool CanPaste() const override { return ClipboardOffersText(); }
    void Undo() override { m_area->undo(); }
    void Cut() override { m_area->cut(); }
    void Copy() override { m_area->copy(); }
    void Paste() override { m_area->paste(); }
    void Clear() override
    {
        QTextCursor cursor = m_area->textCursor();
        cursor.removeSelectedText();
        m_area->setTextCursor(cursor);
    }
    void SelectAll() override { m_area->selectAll(); }

    // A long text is rewritten in the background.
    std::unique_ptr<TextRewrite> StartRewrite(const Rewrite& rewrite) override
    {
        if (m_area->document()->characterCount() < kLongText)
            return nullptr;
        return std::make_unique<TextRewrite>(*m_area,
            [rewrite, limit = m_area->limit](QString raw, const std::function<bool()>& stopped) -> std::optional<QString> {
                const std::optional<std::string> text = rewrite(Reported(std::move(raw)), stopped);
                if (!text)
                    return std::nullopt;
                return ShownInArea(ToQString(*text), limit);
            });
    }

private:
    QPointer<TextArea> m_area;
};

}

std::unique_ptr<FieldEditor> MakeAreaEditor(EditField& field, Control::Impl& control, int32_t limit,
    const std::string& text)
{
    return std::make_unique<AreaEditor>(field, control, limit, text);
}

}
