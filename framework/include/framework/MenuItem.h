#pragma once

#include "framework/Object.h"
#include "framework/Subclass.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A menu item, a menu (an item with children) or a separator (Text "-").
// An "&" in Text marks the next letter as the mnemonic. A shortcut such as
// "Cmd+W" means Ctrl+W on this platform.
class MenuItem : public Subclass<Object, "MenuItem">, public std::enable_shared_from_this<MenuItem> {
public:
    MenuItem();
    ~MenuItem() override;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    const std::string& Text() const { return m_text; }
    void SetText(std::string text);
    bool IsSeparator() const { return m_text == "-"; }

    // Never set, or set (possibly to the empty text).
    const std::optional<std::string>& KeyboardShortcut() const { return m_shortcut; }
    void SetKeyboardShortcut(std::string shortcut);

    // Enabled automatically by each menu-enabling pass when some handler, or the framework, takes its command.
    bool AutoEnable() const { return m_auto_enable; }
    void SetAutoEnable(bool auto_enable) { m_auto_enable = auto_enable; }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // Enables the item for the current menu-enabling pass.
    void Enable() { SetEnabled(true); }

    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);

    void Append(std::shared_ptr<MenuItem> item);
    // Direct child of that Name, or nil.
    std::shared_ptr<MenuItem> Child(std::string_view name) const;
    // The item of that Name anywhere below this one, or nil.
    std::shared_ptr<MenuItem> FindItem(std::string_view name) const;
    const std::vector<std::shared_ptr<MenuItem>>& Children() const { return m_children; }
    MenuItem* Parent() const { return m_parent; }

    // The framework's own action, run when no handler takes the item's command.
    virtual bool HasDefaultAction() const { return false; }
    virtual void DefaultAction() { }

    class Impl;
    Impl& GetImpl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
    std::string m_name;
    std::string m_text;
    std::optional<std::string> m_shortcut;
    bool m_auto_enable { false };
    bool m_enabled { true };
    bool m_checked { false };
    std::vector<std::shared_ptr<MenuItem>> m_children;
    MenuItem* m_parent { nullptr };
};

}
