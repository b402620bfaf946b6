#include "framework/ClassRecord.h"

#include <utility>

namespace fw {

ClassRecord::ClassRecord(std::string qualified_name, const ClassRecord* parent)
    : m_name(std::move(qualified_name))
    , m_parent(parent)
{
}

bool ClassRecord::IsSubclassOf(const ClassRecord& other) const
{
    for (const ClassRecord* cls = this; cls; cls = cls->m_parent)
        if (cls == &other)
            return true;
    return false;
}

}
