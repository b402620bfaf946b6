#include "framework/FileType.h"

#include <algorithm>
#include <utility>

namespace fw {

namespace {

struct Registration {
    const FileType* type;
    FileTypeRecord record;
};

struct Registry {
    std::vector<Registration> entries;
    int count { 0 };
};

// Never destroyed: a file type held by a static global may deregister after main returns.
Registry& TheRegistry()
{
    static auto* registry = new Registry;
    return *registry;
}

}

FileType::~FileType()
{
    Deregister();
}

void FileType::SetName(std::string name)
{
    Deregister();
    m_name = std::move(name);
}

void FileType::SetExtensions(std::string extensions)
{
    Deregister();
    m_extensions = std::move(extensions);
    m_extensions_set = true;
}

void FileType::SetMacType(std::string mac_type)
{
    Deregister();
    m_mac_type = std::move(mac_type);
}

void FileType::SetMacCreator(std::string mac_creator)
{
    Deregister();
    m_mac_creator = std::move(mac_creator);
}

void FileType::Register()
{
    if (m_registered)
        return;
    auto& registry = TheRegistry();
    registry.entries.push_back({ this, { m_name, m_extensions, m_mac_type, m_mac_creator } });
    ++registry.count;
    m_registered = true;
}

void FileType::Deregister()
{
    if (!m_registered)
        return;
    std::erase_if(TheRegistry().entries, [this](const Registration& entry) { return entry.type == this; });
    m_registered = false;
}

std::string FileType::ToString()
{
    Register();
    return m_name;
}

std::vector<FileTypeRecord> RegisteredFileTypes()
{
    std::vector<FileTypeRecord> records;
    for (const auto& entry : TheRegistry().entries)
        records.push_back(entry.record);
    return records;
}

int RegistrationCount()
{
    return TheRegistry().count;
}

}
