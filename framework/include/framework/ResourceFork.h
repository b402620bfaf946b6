#pragma once

#include "framework/Object.h"
#include "framework/Subclass.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class Picture;

// The application's resources: files in a folder beside the executable.
// Picture id N is the file N.png there.
class ResourceFork : public Subclass<Object, "ResourceFork"> {
public:
    explicit ResourceFork(std::string folder) : m_folder(std::move(folder)) { }

    const std::string& Folder() const { return m_folder; }

    // The picture of that id; nil when it is missing, unreadable or not a picture.
    std::shared_ptr<Picture> GetPicture(int32_t id) const;

private:
    std::string m_folder;
};

// The application's resources, or nil when the folder is not there.
std::shared_ptr<ResourceFork> AppResources();

// Where the resources are looked for: "resources" beside the executable,
// unless a test has pointed elsewhere (an empty path restores the default).
void SetResourceFolder(std::string folder);
std::string ResourceFolder();

}
