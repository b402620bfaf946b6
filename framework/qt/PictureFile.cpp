#include "qt/PictureFile.h"

#include "qt/HeldMessages.h"
#include "qt/PictureImpl.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

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

std::shared_ptr<Picture> ReadPictureFile(const std::string& path)
{
    QFile file;
    if (!OpenRegularFile(path, file))
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

}
