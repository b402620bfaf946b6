#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace fw {

// Base of the exceptions the framework raises. Name() is the class name
// shown when nothing catches one, with the message, for a developer;
// ForUser(), where given, tells the user in Danish what went wrong.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message, std::string for_user = { })
        : std::runtime_error(message), m_for_user(std::move(for_user)) { }
    virtual const char* Name() const { return "RuntimeException"; }
    const std::string& ForUser() const { return m_for_user; }

private:
    std::string m_for_user;
};

// A nil object where one is required.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& what_was_nil = "a required object is nil", std::string for_user = { })
        : RuntimeException(what_was_nil, std::move(for_user)) { }
    const char* Name() const override { return "NilObjectException"; }
};

class IllegalCastException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* Name() const override { return "IllegalCastException"; }
};

// A design property list that cannot be read.
class DesignListException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* Name() const override { return "DesignListException"; }
};

[[noreturn]] inline void RaiseNilObjectException(const std::string& what_was_nil = "a required object is nil")
{
    throw NilObjectException(what_was_nil);
}

// The object itself; raises NilObjectException naming `what` when it is nil.
template<class T>
T& Require(const std::shared_ptr<T>& object, const std::string& what)
{
    if (!object)
        RaiseNilObjectException(what + " is nil");
    return *object;
}

template<class T>
T& Require(T* object, const std::string& what)
{
    if (!object)
        RaiseNilObjectException(what + " is nil");
    return *object;
}

}
