#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

// What the runtime knows of a class: its qualified name and its parent.
// A record registers itself with ClassInfo when it is built; each class
// builds its record once, in its static Lookup().
class ClassRecord {
public:
    ClassRecord(std::string qualified_name, const ClassRecord* parent);
    ClassRecord(const ClassRecord&) = delete;
    ClassRecord& operator=(const ClassRecord&) = delete;

    const std::string& Name() const { return m_name; }
    const ClassRecord* Parent() const { return m_parent; }

    // True for this class and every class derived from it.
    bool IsSubclassOf(const ClassRecord& other) const;

private:
    std::string m_name;
    const ClassRecord* m_parent { nullptr };
};

namespace ClassInfo {

// The registered class with that qualified name, or nullptr.
const ClassRecord* Find(std::string_view qualified_name);

// Qualified names in the order the classes were registered.
std::vector<std::string> RegisteredNames();

// Shutdown: forget the registry (the framework's two class maps).
void ReleaseClassRefMap();
void ReleaseClassFQNToRefMap();

}

}
