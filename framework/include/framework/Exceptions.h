#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace fw {

// Base of the exceptions the framework raises. Name() is the class name
// shown when nothing catches one.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) { }
    virtual const char* Name() const { return "RuntimeException"; }
};

// A nil object where one is required.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& what_was_nil = "a required object is nil")
        : RuntimeException(what_was_nil) { }
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
