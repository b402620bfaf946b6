#include "framework/ResourceFork.h"

#include "qt/PictureFile.h"

#include <filesystem>
#include <system_error>

namespace fw {

namespace {

std::string& FolderOverride()
{
    static std::string folder;
    return folder;
}

}

std::shared_ptr<Picture> ResourceFork::GetPicture(int32_t id) const
{
    return ReadPictureFile(m_folder + "/" + std::to_string(id) + ".png");
}

std::shared_ptr<ResourceFork> AppResources()
{
    std::string folder = ResourceFolder();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return nullptr;
    return std::make_shared<ResourceFork>(std::move(folder));
}

void SetResourceFolder(std::string folder)
{
    FolderOverride() = std::move(folder);
}

std::string ResourceFolder()
{
    if (!FolderOverride().empty())
        return FolderOverride();
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "resources";
    const auto beside = executable.parent_path() / "resources";
    if (std::filesystem::is_directory(beside, error))
        return beside.string();
    // Installed: the executable in PREFIX/bin, its resources in PREFIX/share/<its name>/resources.
    return (executable.parent_path() / ".." / "share" / executable.filename() / "resources").lexically_normal().string();
}

}
