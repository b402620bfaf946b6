#pragma once

#include <memory>
#include <string>

namespace fw {

// A global that holds one reference until it is released.
template<class T>
class Global {
public:
    explicit Global(std::string name) : m_name(std::move(name)) { }

    const std::shared_ptr<T>& Get() const { return m_value; }
    void Set(std::shared_ptr<T> value) { m_value = std::move(value); }
    explicit operator bool() const { return m_value != nullptr; }
    T* operator->() const { return m_value.get(); }

    // Drops the reference and leaves the global nil; releasing nil does nothing.
    void Exit() { m_value.reset(); }

    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    std::shared_ptr<T> m_value;
};

}
