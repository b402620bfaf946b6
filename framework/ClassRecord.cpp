#include "framework/ClassRecord.h"

#include "framework/Global.h"

#include <map>
#include <utility>

namespace fw {

namespace {

struct Registry {
    std::vector<const ClassRecord*> in_order;                   // sClassRefMap
    std::map<std::string, const ClassRecord*, std::less<>> by_name; // sClassFQNToRefMap
};

// Never destroyed: a lookup during static destruction still finds a live registry.
Registry& TheRegistry()
{
    static auto* registry = new Registry;
    return *registry;
}

}

ClassRecord::ClassRecord(std::string qualified_name, const ClassRecord* parent)
    : m_name(std::move(qualified_name))
    , m_parent(parent)
{
    auto& registry = TheRegistry();
    // The first record of a name keeps it; a second one is not registered again.
    if (registry.by_name.emplace(m_name, this).second)
        registry.in_order.push_back(this);
}

bool ClassRecord::IsSubclassOf(const ClassRecord& other) const
{
    for (const ClassRecord* cls = this; cls; cls = cls->m_parent)
        if (cls == &other)
            return true;
    return false;
}

namespace ClassInfo {

const ClassRecord* Find(std::string_view qualified_name)
{
    const auto& by_name = TheRegistry().by_name;
    auto it = by_name.find(qualified_name);
    return it == by_name.end() ? nullptr : it->second;
}

std::vector<std::string> RegisteredNames()
{
    std::vector<std::string> names;
    for (const ClassRecord* record : TheRegistry().in_order)
        names.push_back(record->Name());
    return names;
}

void ReleaseClassRefMap()
{
    TheRegistry().in_order.clear();
    NotifyReleased("Introspection.ClassInfo.sClassRefMap");
}

void ReleaseClassFQNToRefMap()
{
    TheRegistry().by_name.clear();
    NotifyReleased("Introspection.ClassInfo.sClassFQNToRefMap");
}

}

}
