#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

// A menu handler takes no arguments and returns whether it handled the command.
using MenuHandler = std::function<bool()>;

// Handlers by menu-item Name, kept in the order they were added.
class MenuHandlers {
public:
    void Add(std::string name, MenuHandler handler) { m_entries.emplace_back(std::move(name), std::move(handler)); }
    const MenuHandler* Find(std::string_view name) const
    {
        for (const auto& [entry_name, handler] : m_entries)
            if (entry_name == name)
                return &handler;
        return nullptr;
    }

private:
    std::vector<std::pair<std::string, MenuHandler>> m_entries;
};

}
