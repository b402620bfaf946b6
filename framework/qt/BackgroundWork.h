#pragma once

// Framework-internal: work that runs on a thread of its own, off the interface thread.

#include <functional>

namespace fw {

// Runs the work on a new thread. The work must never touch a widget; what it
// makes for the interface it posts to an object there.
void StartBackgroundWork(std::function<void()> work);

// Waits until every piece of work started so far has ended. RuntimeExit calls
// it before the toolkit goes, so that no work is still using the toolkit's
// objects while they are torn down.
void WaitForBackgroundWork();

}
