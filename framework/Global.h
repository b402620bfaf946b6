#pragma once

#include <functional>
#include <memory>
#include <string>

namespace fw {

// Called with the global's name each time a global is released; lets a
// test watch the shutdown order.
void SetReleaseObserver(std::function<void(const std::string& name)> observer);
void NotifyReleased(const std::string& name);

// A global that holds one reference until it is released.
template<class T>
class Global {
public:
    explicit Global(std::string name) : m_name(std::move(name)) { }

    const std::shared_ptr<T>& Get() const { return m_value; }
    void Set(std::shared_ptr<T> value) { m_value = std::move(value); }
    explicit operator bool() const { return m_value != nullptr; }
    T* operator->() const { return m_value.get(); }

    // Drops the reference and leaves the global nil; releasing nil does nothing more.
    void Exit()
    {
        m_value.reset();
        NotifyReleased(m_name);
    }

    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    std::shared_ptr<T> m_value;
};

}
