#pragma once

#include <string>

namespace fw {

// What the runtime knows of a class: its qualified name and its parent.
// Each class builds its record once, in its static Lookup().
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

}
