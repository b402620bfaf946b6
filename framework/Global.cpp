#include "framework/Global.h"

#include <utility>

namespace fw {

namespace {

std::function<void(const std::string&)>& Observer()
{
    static std::function<void(const std::string&)> observer;
    return observer;
}

}

void SetReleaseObserver(std::function<void(const std::string& name)> observer)
{
    Observer() = std::move(observer);
}

void NotifyReleased(const std::string& name)
{
    if (auto& observer = Observer())
        observer(name);
}

}
