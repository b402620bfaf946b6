#pragma once

// Framework-internal: what a text field asks of the editor that holds its text.

#include "framework/Control.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace fw {

class EditField;
class TextRewrite;

// The editor behind an EditField: one per kind of widget, chosen when the
// field makes its widget, and a PlainEditor that only keeps the text while
// there is no widget. Positions and lengths count characters; a line break
// is reported as one CR.
class FieldEditor {
public:
    // How the field looks, from its properties.
    struct Look {
        TextStyle style;
        int32_t alignment { 0 }; // 0 the default (left), 1 left, 2 centre, 3 right
        bool password { false };
        bool border { true };
        bool accept_tabs { false };
        bool scrollbar_vertical { true };
        bool scrollbar_horizontal { false };
        Rgb back_color { 255, 255, 255 };
        Rgb text_color { };
    };
    using Rewrite = std::function<std::optional<std::string>(const std::string&, const std::function<bool()>& stopped)>;

    virtual ~FieldEditor() = default;

    // The widget went with its window: from then on a PlainEditor stands in.
    virtual bool Lost() const = 0;

    virtual std::string Text() const = 0;
    // Replaces the whole text, cut at the limit.
    virtual void SetText(const std::string& text) = 0;
    virtual int64_t Length() const = 0;
    virtual bool HasLineBreak() const = 0;

    virtual int64_t SelStart() const = 0;
    virtual int64_t SelLength() const = 0;
    // The insertion point goes before character `start`; nothing stays selected.
    virtual void SetInsertionPoint(int64_t start) = 0;
    // Selects from character `start` to character `end`, as far as the text goes.
    virtual void Select(int64_t start, int64_t end) = 0;

    virtual void SetReadOnly(bool read_only) = 0;
    // Most characters the text takes (0: no limit); a lower limit cuts the text from its end.
    virtual void SetLimit(int32_t limit) = 0;
    virtual void SetLook(const Look& look) = 0;

    virtual bool CanUndo() const = 0;
    virtual bool HasSelection() const = 0;
    // Whether there is text to paste; read-only or not is the field's to say.
    virtual bool CanPaste() const = 0;
    virtual void Undo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void Clear() = 0;
    virtual void SelectAll() = 0;

    // Starts the rewrite of a text long enough to be rewritten off the
    // interface thread (see EditField::RewriteText); nullptr when the field
    // is to rewrite it at once.
    virtual std::unique_ptr<TextRewrite> StartRewrite(const Rewrite& rewrite) = 0;

    // Raised on every change of the text in the widget, typed, pasted or set.
    std::function<void()> on_change;

protected:
    // For the widget's change signal.
    void Changed() const
    {
        if (on_change)
            on_change();
    }
};

// The editors of the two kinds of widget, each making its widget in the
// window content of `control`, holding `text`: one line (LineEditor.cpp) or
// multi-line (AreaEditor.cpp).
std::unique_ptr<FieldEditor> MakeLineEditor(EditField& field, Control::Impl& control, int32_t limit,
    const std::string& text);
std::unique_ptr<FieldEditor> MakeAreaEditor(EditField& field, Control::Impl& control, int32_t limit,
    const std::string& text);

}
