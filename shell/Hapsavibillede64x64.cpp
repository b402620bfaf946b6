#include "shell/Hapsavibillede64x64.h"

#include "framework/Exceptions.h"
#include "framework/ResourceFork.h"

#include <string>

fw::Global<fw::Picture> Hapsavibillede64x64::_permapic { "Hapsavibillede64x64._permapic" };

namespace {

constexpr int32_t kPictureId = 168;

}

std::shared_ptr<fw::Picture> Hapsavibillede64x64::Get()
{
    if (!_permapic) {
        // The line on standard error is for a developer; the user is told in Danish.
        const std::string id = std::to_string(kPictureId);
        auto resources = fw::AppResources();
        if (!resources)
            throw fw::NilObjectException("picture " + id + " is missing: there is no resources folder " + fw::ResourceFolder(),
                "Billedet " + id + " mangler: mappen " + fw::ResourceFolder() + " findes ikke.");
        // Stored before the test: a failed load leaves the cache nil.
        _permapic.Set(resources->GetPicture(kPictureId));
        if (!_permapic)
            throw fw::NilObjectException("picture " + id + " is missing or unreadable in " + resources->Folder(),
                "Billedet " + id + " mangler eller kan ikke læses i " + resources->Folder() + ".");
        _permapic->SetTransparent(1);
    }
    return _permapic.Get();
}
