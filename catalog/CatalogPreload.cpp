#include "catalog/CatalogPreload.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "catalog/WriteFailures.h"

namespace {

class Preload
{
public:
    ~Preload()
    {
        // A program that ends before its window took the load.
        if (m_thread.joinable())
            m_thread.join();
    }

    void Start()
    {
        std::lock_guard lock(m_mutex);
        if (m_started)
            return;
        m_started = true;
        m_thread = std::thread([this] { Run(); });
    }

    bool Take(const CatalogLoadProgress& afterType, WriteFailures* failures)
    {
        std::unique_lock lock(m_mutex);
        if (!m_started || m_taken)
            return false;
        m_taken = true;
        for (size_t stepped = 0;; ++stepped) {
            m_changed.wait(lock, [&] { return m_done || stepped < m_loaded.size(); });
            if (stepped == m_loaded.size())
                break;  // done, and every type stepped through
            const int code = m_loaded[stepped];
            lock.unlock();
            if (afterType)
                afterType(code);
            lock.lock();
        }
        lock.unlock();
        m_thread.join();
        if (m_error)
            std::rethrow_exception(m_error);
        if (failures)
            failures->Append(m_failures);
        return true;
    }

private:
    void Run()
    {
        try {
            LoadAllCatalogs(
                false,
                [this](int code) {
                    std::lock_guard lock(m_mutex);
                    m_loaded.push_back(code);
                    m_changed.notify_all();
                },
                &m_failures);
        } catch (...) {
            m_error = std::current_exception();
        }
        std::lock_guard lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
    std::vector<int> m_loaded;  // the types done, in load order
    WriteFailures m_failures;   // the thread's own until it is done
    std::exception_ptr m_error;
    bool m_started = false;
    bool m_taken = false;
    bool m_done = false;
};

Preload& ThePreload()
{
    static Preload preload;
    return preload;
}

} // namespace

void CatalogPreload::Start()
{
    ThePreload().Start();
}

bool CatalogPreload::Take(const CatalogLoadProgress& afterType, WriteFailures* failures)
{
    return ThePreload().Take(afterType, failures);
}
