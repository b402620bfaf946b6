#include "framework/ResourceFork.h"

#include "framework/Picture.h"
#include "qt/Convert.h"
#include "qt/HeldMessages.h"
#include "qt/PictureImpl.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Opens a regular file for reading. Anything else (a named pipe, a device,
// a folder) is no file here: opening a pipe would wait for a writer forever.
bool OpenRegularFile(const std::string& path, QFile& file)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}

std::shared_ptr<Picture> ResourceFork::GetPicture(int32_t id) const
{
    // A file that is missing, unreadable, not a regular file or not a picture
    // gives no picture, and the image library's complaints are not written:
    // the caller says what is wrong.
    QFile file;
    if (!OpenRegularFile(m_folder + "/" + std::to_string(id) + ".png", file))
        return nullptr;
    QImage image;
    {
        HeldMessages quiet;
        image = QImageReader(&file).read();
    }
    if (image.isNull())
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
