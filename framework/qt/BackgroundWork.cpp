#include "qt/BackgroundWork.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace fw {

namespace {

struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
};

class Workers {
public:
    // A process that ends without RuntimeExit still waits for its workers:
    // a thread left running into the static destructors would use them.
    ~Workers() { WaitAll(); }

    void Start(std::function<void()> work)
    {
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::lock_guard lock(m_mutex);
        ReapFinished();
        m_workers.push_back({ std::thread([work = std::move(work), done] {
            work();
            *done = true;
        }), done });
    }

    void WaitAll()
    {
        std::vector<Worker> workers;
        {
            std::lock_guard lock(m_mutex);
            workers.swap(m_workers);
        }
        for (auto& worker : workers)
            worker.thread.join();
    }

private:
    void ReapFinished()
    {
        std::erase_if(m_workers, [](Worker& worker) {
            if (!*worker.done)
                return false;
            worker.thread.join();
            return true;
        });
    }

    std::mutex m_mutex;
    std::vector<Worker> m_workers;
};

Workers& AllWorkers()
{
    static Workers workers;
    return workers;
}

}

void StartBackgroundWork(std::function<void()> work)
{
    AllWorkers().Start(std::move(work));
}

void WaitForBackgroundWork()
{
    AllWorkers().WaitAll();
}

}
