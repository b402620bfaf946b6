#pragma once

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"

#include <memory>

namespace fw {

// Root of every framework and program class that the runtime can test and cast.
class Object {
public:
    virtual ~Object() = default;

    static const ClassRecord& Lookup();
    virtual const ClassRecord& Class() const { return Lookup(); }
};

// True when the object is of the class or of a class derived from it; false for nil.
inline bool IsA(const Object* object, const ClassRecord& cls)
{
    return object && object->Class().IsSubclassOf(cls);
}

// Checked casts: nil stays nil; an object of another class raises IllegalCastException.
template<class T, class U>
std::shared_ptr<T> CheckCast(const std::shared_ptr<U>& object)
{
    if (!object)
        return nullptr;
    if (!IsA(object.get(), T::Lookup()))
        throw IllegalCastException(object->Class().Name() + " is not a " + T::Lookup().Name());
    return std::static_pointer_cast<T>(object);
}

template<class T>
T& CheckCast(Object& object)
{
    if (!IsA(&object, T::Lookup()))
        throw IllegalCastException(object.Class().Name() + " is not a " + T::Lookup().Name());
    return static_cast<T&>(object);
}

// Registers the framework's own classes, in a fixed order; the program's follow.
void RegisterFrameworkClasses();

}
