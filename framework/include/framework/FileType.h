#pragma once

#include "framework/Object.h"
#include "framework/Subclass.h"

#include <string>
#include <utility>

namespace fw {

// A file type the program declares. Registering it writes nothing outside
// the program.
class FileType : public Subclass<Object, "FileType"> {
public:
    const std::string& Name() const { return m_name; }

    // A setter on a registered type first takes the registration back.
    void SetName(std::string name) { Deregister(); m_name = std::move(name); }
    void SetExtensions(std::string extensions) { Deregister(); m_extensions = std::move(extensions); }
    void SetMacType(std::string mac_type) { Deregister(); m_mac_type = std::move(mac_type); }
    void SetMacCreator(std::string mac_creator) { Deregister(); m_mac_creator = std::move(mac_creator); }

    void Register() { m_registered = true; }
    void Deregister() { m_registered = false; }

    // The conversion to text: registers the type (once) and gives its Name.
    std::string ToString()
    {
        Register();
        return m_name;
    }

private:
    std::string m_name;
    std::string m_extensions;
    std::string m_mac_type;
    std::string m_mac_creator;
    bool m_registered { false };
};

}
