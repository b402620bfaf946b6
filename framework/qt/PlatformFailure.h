#pragma once

// Framework-internal: why the toolkit could not start, in the words of the
// program's one line on standard error.

#include "qt/HeldMessages.h"

#include <QString>

#include <string>
#include <vector>

namespace fw {

// From the toolkit's messages held while it tried each platform, and the
// fatal one that ended the trying. A platform with no plug-in is named, and
// so is one named in QT_QPA_PLATFORM that did not start, with the toolkit's
// reason; the toolkit's own choice that did not start means there is no
// display. Several failures are joined by "; ".
std::string PlatformFailure(const std::vector<HeldMessages::Message>& held, const QString& fatal);

}
