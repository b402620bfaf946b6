#include "framework/EditField.h"

#include "WindowList.h"
#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "framework/Window.h"
#include "qt/ControlImpl.h"
#include "qt/Convert.h"
#include "qt/MenuItemImpl.h"
#include "qt/TextArea.h"
#include "qt/TextLine.h"
#include "qt/TextRewrite.h"
#include "qt/TextUnits.h"
#include "qt/WindowImpl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

namespace fw {

namespace {

TextArea* AreaOf(QWidget* widget)
{
    return dynamic_cast<TextArea*>(widget);
}

TextLine* LineOf(QWidget* widget)
{
    return dynamic_cast<TextLine*>(widget);
}

// The Edit menu's commands for a text field, offered by its context menu.
constexpr std::array kFieldCommands = { "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll" };

// The field's context menu: the items of the field commands in the window's
// menu bar, with their texts, shortcuts, enabling and separators, each
// chosen as from the menu bar.
void PopUpEditMenu(EditField& field, QWidget& widget, const QPoint& where)
{
    const auto window = field.GetWindow();
    const auto bar = window ? window->ShownMenuBar() : nullptr;
    if (!bar)
        return;
    // The commands act on the field the user clicked, in its window.
    widget.setFocus(Qt::PopupFocusReason);
    WindowList::Get().BringToFront(*window);
    Deliver([&window] { RunMenuEnablingPass(*window); });

    auto* menu = new QMenu(&widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    bool separate = false;
    std::function<void(const MenuItem&)> add = [&](const MenuItem& parent) {
        for (const auto& item : parent.Children()) {
            if (!item->Children().empty()) {
                add(*item);
                separate = !menu->isEmpty();
            } else if (item->IsSeparator()) {
                separate = !menu->isEmpty();
            } else if (std::find(kFieldCommands.begin(), kFieldCommands.end(), item->Name()) != kFieldCommands.end()) {
                if (separate)
                    menu->addSeparator();
                separate = false;
                QAction* action = menu->addAction(ToQString(item->Text()));
                action->setShortcut(KeySequenceOf(*item));
                action->setShortcutContext(Qt::WidgetShortcut);
                action->setEnabled(item->Enabled());
                QObject::connect(action, &QAction::triggered, menu, [item, target = std::weak_ptr<Window>(window)] {
                    if (const auto window = target.lock())
                        Deliver([&] { ChooseMenuItem(item, *window); });
                });
            }
        }
    };
    add(*bar);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(where);
}

}

EditField::EditField() = default;

EditField::~EditField() = default;

std::string EditField::Text() const
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        return FromQString(line->text());
    if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data())) {
        QString text = area->document()->toRawText();
        // A line break is reported as one CR (Shift+Return makes a line separator).
        text.replace(QChar::ParagraphSeparator, u'\r');
        text.replace(QChar::LineSeparator, u'\r');
        return FromQString(text);
    }
    return m_pending_text;
}

int32_t EditField::TextLength() const
{
    int64_t length = 0;
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        length = CharsIn(line->text(), line->text().size());
    else if (auto* area = AreaOf(m_impl->widget))
        length = area->Index().Characters();
    else
        length = Len(m_pending_text);
    return static_cast<int32_t>(std::min<int64_t>(length, INT32_MAX));
}

bool EditField::HasLineBreak() const
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        return line->text().contains(u'\r') || line->text().contains(u'\n');
    if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data())) {
        const QTextDocument& document = *area->document();
        return document.blockCount() > 1 || document.firstBlock().text().contains(QChar::LineSeparator);
    }
    return m_pending_text.find_first_of("\r\n") != std::string::npos;
}

void EditField::SetText(const std::string& text)
{
    if (auto* line = LineOf(m_impl->widget))
        line->ShowText(ToQString(text));
    else if (auto* area = AreaOf(m_impl->widget))
        area->ShowText(ToQString(text));
    else
        m_pending_text = text;
    RethrowPending();
}

int32_t EditField::SelStart() const
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data())) {
        const int start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        return CharsIn(line->text(), start);
    }
    if (auto* area = AreaOf(m_impl->widget))
        return static_cast<int32_t>(area->Index().CharactersBefore(area->textCursor().selectionStart()));
    return 0;
}

int32_t EditField::SelLength() const
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data())) {
        if (!line->hasSelectedText())
            return 0;
        const QString text = line->text();
        const int start = line->selectionStart();
        return CharsIn(text, start + line->selectionLength()) - CharsIn(text, start);
    }
    if (auto* area = AreaOf(m_impl->widget)) {
        const QTextCursor cursor = area->textCursor();
        DocumentIndex& index = area->Index();
        return static_cast<int32_t>(index.CharactersBefore(cursor.selectionEnd()) - index.CharactersBefore(cursor.selectionStart()));
    }
    return 0;
}

void EditField::SetSelStart(int32_t start)
{
    // The insertion point goes before character `start`; nothing stays selected.
    const int64_t chars = std::max<int32_t>(0, start);
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data())) {
        line->setCursorPosition(static_cast<int>(UnitsFor(line->text(), chars)));
    } else if (auto* area = AreaOf(m_impl->widget)) {
        QTextCursor cursor = area->textCursor();
        cursor.setPosition(area->Index().PositionOf(chars));
        area->setTextCursor(cursor);
    }
}

void EditField::SetSelLength(int32_t length)
{
    // Selects `length` characters from SelStart, as far as the text goes.
    const int64_t start = SelStart();
    const int64_t end = start + std::max<int32_t>(0, length);
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data())) {
        const QString text = line->text();
        const auto from = UnitsFor(text, start);
        line->setSelection(static_cast<int>(from), static_cast<int>(UnitsFor(text, end) - from));
    } else if (auto* area = AreaOf(m_impl->widget)) {
        DocumentIndex& index = area->Index();
        QTextCursor cursor = area->textCursor();
        cursor.setPosition(index.PositionOf(start));
        cursor.setPosition(index.PositionOf(end), QTextCursor::KeepAnchor);
        area->setTextCursor(cursor);
    }
}

void EditField::SetReadOnly(bool read_only)
{
    m_read_only = read_only;
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        line->setReadOnly(read_only);
    else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        area->setReadOnly(read_only);
}

bool EditField::CanUndo() const
{
    if (m_read_only)
        return false;
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        return line->isUndoAvailable();
    if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        return area->document()->isUndoAvailable();
    return false;
}

bool EditField::HasSelection() const
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        return line->hasSelectedText();
    if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        return area->textCursor().hasSelection();
    return false;
}

bool EditField::CanPaste() const
{
    if (m_read_only || !m_impl->widget)
        return false;
    // Whether the clipboard offers text, not the text itself: fetching a huge
    // text from it, or converting it, would take seconds.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

void EditField::Undo()
{
    if (!CanUndo())
        return;
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        line->undo();
    else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        area->undo();
    RethrowPending();
}

void EditField::Cut()
{
    if (m_read_only || !HasSelection())
        return;
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        line->cut();
    else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        area->cut();
    RethrowPending();
}

void EditField::Copy()
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        line->copy();
    else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        area->copy();
}

void EditField::Paste()
{
    if (!CanPaste())
        return;
    if (auto* line = LineOf(m_impl->widget))
        line->PasteFrom(QClipboard::Clipboard);
    else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        area->paste();
    RethrowPending();
}

void EditField::Clear()
{
    if (m_read_only || !HasSelection())
        return;
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data())) {
        line->del();
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data())) {
        QTextCursor cursor = area->textCursor();
        cursor.removeSelectedText();
        area->setTextCursor(cursor);
    }
    RethrowPending();
}

void EditField::SelectAll()
{
    if (auto* line = qobject_cast<QLineEdit*>(m_impl->widget.data()))
        line->selectAll();
    else if (auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data()))
        area->selectAll();
}

void EditField::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (m_style.Apply(name, value)) {
        ApplyLook();
        return;
    }
    if (name == "Text")
        SetText(StringOf(value));
    else if (name == "ReadOnly")
        SetReadOnly(BoolOf(value));
    else if (name == "LimitText") {
        m_limit_text = std::max(0, IntOf(value));
        ApplyLimit();
    } else if (name == "MultiLine") {
        const bool multi_line = BoolOf(value);
        if (multi_line != m_multi_line) {
            m_multi_line = multi_line;
            if (m_impl->widget)
                MakeEditor();
        }
    } else if (name == "AcceptTabs") {
        m_accept_tabs = BoolOf(value);
        ApplyLook();
    } else if (name == "Password") {
        m_password = BoolOf(value);
        ApplyLook();
    } else if (name == "Border") {
        m_border = BoolOf(value, true);
        ApplyLook();
    } else if (name == "ScrollBarVertical") {
        m_scrollbar_vertical = BoolOf(value, true);
        ApplyLook();
    } else if (name == "ScrollBarHorizontal") {
        m_scrollbar_horizontal = BoolOf(value);
        ApplyLook();
    } else if (name == "Alignment") {
        m_alignment = IntOf(value);
        ApplyLook();
    } else if (name == "BackColor") {
        m_back_color = ColorOf(value, m_back_color);
        ApplyLook();
    } else if (name == "TextColor") {
        m_text_color = ColorOf(value, m_text_color);
        ApplyLook();
    } else
        // Styled, Mask, Format, UseFocusRing and ScrollBar have no effect on this platform.
        Control::SetProperty(name, value);
}

void EditField::CreateWidget(Window& window)
{
    m_impl->content = window.GetImpl().Content();
    MakeEditor();
}

void EditField::MakeEditor()
{
    QWidget* parent = m_impl->content;
    if (!parent)
        return;
    const std::string text = m_impl->widget ? Text() : m_pending_text;
    m_pending_text.clear();
    m_impl->DropWidget();

    // The editor is connected last: the carried text is not a change.
    if (m_multi_line) {
        auto* area = new TextArea(parent);
        area->limit = m_limit_text;
        area->ShowText(ToQString(text));
        m_impl->widget = area;
    } else {
        auto* line = new TextLine(parent);
        line->limit = m_limit_text;
        line->ShowText(ToQString(text));
        m_impl->widget = line;
    }
    SetReadOnly(m_read_only);
    ApplyLook();
    ConnectEditor();
    ApplyCommon();
}

void EditField::ConnectEditor()
{
    QObject* receiver = m_impl->receiver.get();
    QWidget* widget = m_impl->widget;
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        QObject::connect(line, &QLineEdit::textChanged, receiver, [this] { EditorChanged(); });
    else if (auto* area = qobject_cast<QPlainTextEdit*>(widget))
        QObject::connect(area, &QPlainTextEdit::textChanged, receiver, [this] { EditorChanged(); });

    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, receiver, [this, widget](const QPoint& point) {
        // A multi-line field gives the point in its viewport.
        auto* area = qobject_cast<QPlainTextEdit*>(widget);
        PopUpEditMenu(*this, *widget, (area ? area->viewport() : widget)->mapToGlobal(point));
    });
}

void EditField::EditorChanged()
{
    // A copy: the handler may close the window and with it this field.
    if (auto handler = on_text_change)
        Deliver(handler);
}

void EditField::ApplyLimit()
{
    // A lower limit cuts the text from its end.
    if (auto* line = LineOf(m_impl->widget)) {
        line->limit = m_limit_text;
        if (m_limit_text > 0 && CharsIn(line->text(), line->text().size()) > m_limit_text)
            line->ShowText(line->text());
    } else if (auto* area = AreaOf(m_impl->widget)) {
        area->limit = m_limit_text;
        const int keep = area->Index().PositionOf(m_limit_text);
        if (m_limit_text > 0 && keep < area->document()->characterCount() - 1) {
            QTextCursor cursor(area->document());
            cursor.setPosition(keep);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
    RethrowPending();
}

void EditField::ApplyLook()
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    widget->setFont(FontFor(m_style));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, ToQColor(m_back_color));
    palette.setColor(QPalette::Text, ToQColor(m_text_color));
    widget->setPalette(palette);

    // Alignment: 0 the default (left), 1 left, 2 centre, 3 right.
    Qt::Alignment alignment = Qt::AlignLeft;
    if (m_alignment == 2)
        alignment = Qt::AlignHCenter;
    else if (m_alignment == 3)
        alignment = Qt::AlignRight;

    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setFrame(m_border);
        line->setEchoMode(m_password ? QLineEdit::Password : QLineEdit::Normal);
        line->setAlignment(alignment | Qt::AlignVCenter);
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
        area->setFrameShape(m_border ? QFrame::StyledPanel : QFrame::NoFrame);
        // Without AcceptTabs, Tab moves the focus on.
        area->setTabChangesFocus(!m_accept_tabs);
        area->setVerticalScrollBarPolicy(m_scrollbar_vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        // Without a horizontal scroll bar, lines wrap at the field's width.
        area->setHorizontalScrollBarPolicy(m_scrollbar_horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        area->setLineWrapMode(m_scrollbar_horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        QTextOption option = area->document()->defaultTextOption();
        if (option.alignment() != alignment) {
            option.setAlignment(alignment);
            area->document()->setDefaultTextOption(option);
        }
    }
}

// --- rewriting the text -----------------------------------------------------

namespace {

// From this many characters on, a rewrite runs in the background; below, it
// is over sooner than the busy cursor could show.
constexpr int kLongText = 1 << 16;

// The text as Text() reports it.
std::string Reported(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\r');
    text.replace(QChar::LineSeparator, u'\r');
    return FromQString(text);
}

}

void EditField::RewriteText(std::function<std::optional<std::string>(const std::string&)> rewrite)
{
    if (IsBusy())
        return;
    auto* area = qobject_cast<QPlainTextEdit*>(m_impl->widget.data());
    if (!area || area->document()->characterCount() < kLongText) {
        if (const std::optional<std::string> text = rewrite(Text()))
            SetText(*text);
        return;
    }
    m_rewrite = std::make_unique<TextRewrite>(*this, *area,
        [rewrite = std::move(rewrite), limit = m_limit_text](QString raw) -> std::optional<QString> {
            const std::optional<std::string> text = rewrite(Reported(std::move(raw)));
            if (!text)
                return std::nullopt;
            return ShownInArea(ToQString(*text), limit);
        });
}

bool EditField::IsBusy() const
{
    return m_rewrite && m_rewrite->Pending();
}

}
