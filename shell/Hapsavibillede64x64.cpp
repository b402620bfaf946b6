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
        auto resources = fw::AppResources();
        if (!resources)
            fw::RaiseNilObjectException("picture " + std::to_string(kPictureId) + " is missing: there is no resources folder "
                + fw::ResourceFolder());
        // Stored before the test: a failed load leaves the cache nil.
        _permapic.Set(resources->GetPicture(kPictureId));
        if (!_permapic)
            fw::RaiseNilObjectException("picture " + std::to_string(kPictureId) + " is missing or unreadable in "
                + resources->Folder());
        _permapic->SetTransparent(1);
    }
    return _permapic.Get();
}
