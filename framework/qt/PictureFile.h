#pragma once

// Framework-internal: a picture read from a file.

#include "framework/Picture.h"

#include <memory>
#include <string>

namespace fw {

// The picture in the file at `path`; nil when the file is missing,
// unreadable, not a regular file or not a picture. The image library's
// complaints are not written: the caller says what is wrong.
std::shared_ptr<Picture> ReadPictureFile(const std::string& path);

}
