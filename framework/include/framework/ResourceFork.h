#pragma once

#include "framework/Object.h"
#include "framework/Subclass.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class Picture;

// The application's resources: files in one folder (see ResourceFolder).
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

// Where the resources are looked for: the folder "resources" beside the
// executable where there is one (a build tree), otherwise where an
// installation puts them: PREFIX/share/NAME/resources for the executable
// PREFIX/bin/NAME. A test may point elsewhere (an empty path restores the default).
void SetResourceFolder(std::string folder);
std::string ResourceFolder();

}
