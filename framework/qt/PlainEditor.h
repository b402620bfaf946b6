#pragma once

// Framework-internal: the editor of a text field without a widget.

#include "qt/FieldEditor.h"

namespace fw {

// Keeps the text of a field that has no widget yet, or none any more (its
// window is gone): nothing shows, nothing is selected, no command acts.
class PlainEditor : public FieldEditor {
public:
    bool Lost() const override { return false; }

    std::string Text() const override { return m_text; }
    void SetText(const std::string& text) override { m_text = text; }
    int64_t Length() const override;
    bool HasLineBreak() const override;

    int64_t SelStart() const override { return 0; }
    int64_t SelLength() const override { return 0; }
    void SetInsertionPoint(int64_t) override { }
    void Select(int64_t, int64_t) override { }

    void SetReadOnly(bool) override { }
    // The text is cut to the limit when a widget takes it.
    void SetLimit(int32_t) override { }
    void SetLook(const Look&) override { }

    bool CanUndo() const override { return false; }
    bool HasSelection() const override { return false; }
    bool CanPaste() const override { return false; }
    void Undo() override { }
    void Cut() override { }
    void Copy() override { }
    void Paste() override { }
    void Clear() override { }
    void SelectAll() override { }

    std::unique_ptr<TextRewrite> StartRewrite(const Rewrite& rewrite) override;

private:
    std::string m_text;
};

}
