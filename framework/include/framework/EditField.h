#pragma once

#include "framework/Control.h"
#include "framework/Subclass.h"

#include <functional>
#include <optional>

namespace fw {

class FieldEditor;
class TextRewrite;

// A text field: one line, or a multi-line text area with MultiLine.
//
// A multi-line field reports each line break as one CR (code 13). Text that
// comes in (set, typed, pasted, dropped, from an input method) shows each CR
// LF, LF CR, lone CR or LF, U+2028 and U+2029 as one line break. A one-line
// field drops them from what the user pastes, drops or enters through an
// input method. Positions, lengths and LimitText count characters.
// A right click offers the Edit menu's commands for the field.
class EditField : public Subclass<Control, "EditField"> {
public:
    EditField();
    ~EditField() override;

    std::string Text() const;
    void SetText(const std::string& text);
    // Len(Text()) and whether Text() would hold a CR or LF, answered without
    // reading a huge text out.
    int32_t TextLength() const;
    bool HasLineBreak() const;

    int32_t SelStart() const;
    int32_t SelLength() const;
    void SetSelStart(int32_t start);
    void SetSelLength(int32_t length);

    bool ReadOnly() const { return m_read_only; }
    void SetReadOnly(bool read_only);
    // Neither read-only nor busy with a rewrite: the text takes edits.
    bool Editable() const { return !m_read_only && !IsBusy(); }
    const TextStyle& Style() const { return m_style; }

    // The framework's text commands, as the Edit menu runs them.
    bool CanUndo() const;
    bool HasSelection() const;
    bool CanPaste() const;
    void Undo();
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    void SelectAll();

    // Raised on every change of the text, typed, pasted or set.
    std::function<void()> on_text_change;

    void SetProperty(std::string_view name, const PropertyValue& value) override;
    void CreateWidget(Window& window) override;

    // Replaces the text with what `rewrite` makes of it (nullopt keeps it), as
    // SetText would. On a long multi-line text, `rewrite` runs off the
    // interface thread, so it must touch no control: until the new text is
    // in, the field takes no edits (ReadOnly stays as set), its window shows
    // the busy cursor, IsBusy() is true and a further call does nothing. The
    // new text is dropped if the window closes first, the field goes or the
    // text is set meanwhile; `stopped` then answers true, and `rewrite` may
    // end early (with nullopt). Rewritten at once, `stopped` is always false.
    using Rewrite = std::function<std::optional<std::string>(const std::string& text, const std::function<bool()>& stopped)>;
    void RewriteText(Rewrite rewrite);
    bool IsBusy() const;

private:
    // The editor of the field's widget, or a plain one while it has none.
    FieldEditor& Editor() const;
    // Makes the widget of the current kind (one line or multi-line), carrying the text over.
    void MakeEditor();
    // Runs a command that changes the text, when it may run; what a handler
    // raised meanwhile goes on to the caller.
    void RunCommand(bool may_run, void (FieldEditor::*command)());
    void ApplyLimit();
    // Takes the property if it changes only how the field looks (then ApplyLook shows it).
    bool TakeLookProperty(std::string_view name, const PropertyValue& value);
    void ApplyLook();
    void EditorChanged();

    int32_t m_limit_text { 0 };
    int32_t m_alignment { 0 };
    bool m_read_only { false };
    bool m_multi_line { false };
    bool m_accept_tabs { false };
    bool m_password { false };
    bool m_border { true };
    bool m_scrollbar_vertical { true };
    bool m_scrollbar_horizontal { false };
    Rgb m_back_color { 255, 255, 255 };
    Rgb m_text_color { };
    TextStyle m_style;
    // Replaced by a plain one once the widget is gone with its window.
    mutable std::unique_ptr<FieldEditor> m_editor;
    std::unique_ptr<TextRewrite> m_rewrite;
};

}
