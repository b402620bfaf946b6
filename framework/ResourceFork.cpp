#include "framework/ResourceFork.h"

#include "framework/Picture.h"
#include "framework/qt/ControlImpl.h"
#include "framework/qt/PictureImpl.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace fw {

namespace {

std::string& FolderOverride()
{
    static std::string folder;
    return folder;
}

std::string ExecutableFolder()
{
    if (QCoreApplication::instance())
        return FromQString(QCoreApplication::applicationDirPath());
    // Before the runtime has started there is no application to ask.
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : executable.parent_path().string();
}

}

std::shared_ptr<Picture> ResourceFork::GetPicture(int32_t id) const
{
    QImage image;
    // A file that is missing, unreadable or not a picture gives no picture.
    if (!image.load(ToQString(m_folder + "/" + std::to_string(id) + ".png")) || image.isNull())
        return nullptr;
    auto picture = std::make_shared<Picture>();
    picture->GetImpl().image = std::move(image);
    return picture;
}

std::shared_ptr<ResourceFork> AppResources()
{
    std::string folder = ResourceFolder();
    if (!QFileInfo(ToQString(folder)).isDir())
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
    return ExecutableFolder() + "/resources";
}

}
