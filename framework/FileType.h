#pragma once

#include "framework/Object.h"

#include <string>
#include <vector>

namespace fw {

// A file type the program declares. Registering records it in the
// framework's registry of the program's file types; nothing is written
// outside the program.
class FileType : public Object {
public:
    static const ClassRecord& Lookup();
    const ClassRecord& Class() const override { return Lookup(); }

    ~FileType() override;

    const std::string& Name() const { return m_name; }
    const std::string& Extensions() const { return m_extensions; }
    const std::string& MacType() const { return m_mac_type; }
    const std::string& MacCreator() const { return m_mac_creator; }
    bool ExtensionsSet() const { return m_extensions_set; }

    // A setter on a registered type first takes the registration back.
    void SetName(std::string name);
    void SetExtensions(std::string extensions);
    void SetMacType(std::string mac_type);
    void SetMacCreator(std::string mac_creator);

    bool IsRegistered() const { return m_registered; }
    void Register();
    void Deregister();

    // The conversion to text: registers the type (once) and gives its Name.
    std::string ToString();

private:
    std::string m_name;
    std::string m_extensions;
    std::string m_mac_type;
    std::string m_mac_creator;
    bool m_extensions_set { false };
    bool m_registered { false };
};

// The registry: one entry for each registration of a file type.
struct FileTypeRecord {
    std::string name;
    std::string extensions;
    std::string mac_type;
    std::string mac_creator;
};
std::vector<FileTypeRecord> RegisteredFileTypes();
// How many Register calls there have been, for tests.
int RegistrationCount();

}
