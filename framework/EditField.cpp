#include "framework/EditField.h"

#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/ControlImpl.h"
#include "qt/PlainEditor.h"
#include "qt/TextRewrite.h"
#include "qt/WindowImpl.h"

#include <algorithm>
#include <climits>

namespace fw {

EditField::EditField()
    : m_editor(std::make_unique<PlainEditor>())
{
}

EditField::~EditField() = default;

FieldEditor& EditField::Editor() const
{
    if (m_editor->Lost())
        m_editor = std::make_unique<PlainEditor>();
    return *m_editor;
}

std::string EditField::Text() const
{
    return Editor().Text();
}

int32_t EditField::TextLength() const
{
    return static_cast<int32_t>(std::min<int64_t>(Editor().Length(), INT32_MAX));
}

bool EditField::HasLineBreak() const
{
    return Editor().HasLineBreak();
}

void EditField::SetText(const std::string& text)
{
    Editor().SetText(text);
    RethrowPending();
}

int32_t EditField::SelStart() const
{
    return static_cast<int32_t>(Editor().SelStart());
}

int32_t EditField::SelLength() const
{
    return static_cast<int32_t>(Editor().SelLength());
}

void EditField::SetSelStart(int32_t start)
{
    Editor().SetInsertionPoint(std::max<int32_t>(0, start));
}

void EditField::SetSelLength(int32_t length)
{
    // Selects `length` characters from SelStart, as far as the text goes.
    const int64_t start = SelStart();
    Editor().Select(start, start + std::max<int32_t>(0, length));
}

void EditField::SetReadOnly(bool read_only)
{
    m_read_only = read_only;
    Editor().SetReadOnly(read_only);
}

bool EditField::CanUndo() const
{
    return Editable() && Editor().CanUndo();
}

bool EditField::HasSelection() const
{
    return Editor().HasSelection();
}

bool EditField::CanPaste() const
{
    return Editable() && Editor().CanPaste();
}

void EditField::Undo()
{
    RunCommand(CanUndo(), &FieldEditor::Undo);
}

void EditField::Cut()
{
    RunCommand(Editable() && HasSelection(), &FieldEditor::Cut);
}

void EditField::Copy()
{
    Editor().Copy();
}

void EditField::Paste()
{
    RunCommand(CanPaste(), &FieldEditor::Paste);
}

void EditField::Clear()
{
    RunCommand(Editable() && HasSelection(), &FieldEditor::Clear);
}

void EditField::RunCommand(bool may_run, void (FieldEditor::*command)())
{
    if (!may_run)
        return;
    (Editor().*command)();
    RethrowPending();
}

void EditField::SelectAll()
{
    Editor().SelectAll();
}

void EditField::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (m_style.Apply(name, value) || TakeLookProperty(name, value))
        ApplyLook();
    else if (name == "Text")
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
    } else
        // Styled, Mask, Format, UseFocusRing and ScrollBar have no effect on this platform.
        Control::SetProperty(name, value);
}

bool EditField::TakeLookProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "AcceptTabs")
        m_accept_tabs = BoolOf(value);
    else if (name == "Password")
        m_password = BoolOf(value);
    else if (name == "Border")
        m_border = BoolOf(value, true);
    else if (name == "ScrollBarVertical")
        m_scrollbar_vertical = BoolOf(value, true);
    else if (name == "ScrollBarHorizontal")
        m_scrollbar_horizontal = BoolOf(value);
    else if (name == "Alignment")
        m_alignment = IntOf(value);
    else if (name == "BackColor")
        m_back_color = ColorOf(value, m_back_color);
    else if (name == "TextColor")
        m_text_color = ColorOf(value, m_text_color);
    else
        return false;
    return true;
}

void EditField::CreateWidget(Window& window)
{
    m_impl->content = window.GetImpl().Content();
    MakeEditor();
}

void EditField::MakeEditor()
{
    if (!m_impl->content)
        return;
    const std::string text = Editor().Text();
    // The old widget is cut off before it goes, so that its end is no change.
    m_impl->DropWidget();
    m_editor = (m_multi_line ? MakeAreaEditor : MakeLineEditor)(*this, *m_impl, m_limit_text, text);
    m_editor->SetReadOnly(m_read_only);
    ApplyLook();
    // Told of changes from here on: neither the carried text nor the look is one.
    m_editor->on_change = [this] { EditorChanged(); };
    ApplyCommon();
}

void EditField::EditorChanged()
{
    // A copy: the handler may close the window and with it this field.
    if (auto handler = on_text_change)
        Deliver(handler);
}

void EditField::ApplyLimit()
{
    Editor().SetLimit(m_limit_text);
    RethrowPending();
}

void EditField::ApplyLook()
{
    Editor().SetLook({ .style = m_style,
        .alignment = m_alignment,
        .password = m_password,
        .border = m_border,
        .accept_tabs = m_accept_tabs,
        .scrollbar_vertical = m_scrollbar_vertical,
        .scrollbar_horizontal = m_scrollbar_horizontal,
        .back_color = m_back_color,
        .text_color = m_text_color });
}

// --- rewriting the text -----------------------------------------------------

void EditField::RewriteText(Rewrite rewrite)
{
    if (IsBusy())
        return;
    // A long multi-line text is rewritten in the background, anything else at once.
    if (auto started = Editor().StartRewrite(rewrite)) {
        m_rewrite = std::move(started);
        return;
    }
    if (const std::optional<std::string> text = rewrite(Text(), [] { return false; }))
        SetText(*text);
}

bool EditField::IsBusy() const
{
    return m_rewrite && m_rewrite->Pending();
}

}
