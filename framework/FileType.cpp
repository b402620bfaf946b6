#include "framework/FileType.h"

#include <utility>

namespace fw {

void FileType::SetName(std::string name)
{
    Deregister();
    m_name = std::move(name);
}

void FileType::SetExtensions(std::string extensions)
{
    Deregister();
    m_extensions = std::move(extensions);
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
    m_registered = true;
}

void FileType::Deregister()
{
    m_registered = false;
}

std::string FileType::ToString()
{
    Register();
    return m_name;
}

}
