#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace fe {

// The one lock of a worker and the thread that uses it. Usable with std::lock_guard.
class Mutex
{
public:
    Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    virtual ~Mutex() = default;

    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }
    bool try_lock() { return m_mutex.try_lock(); }

private:
    std::mutex m_mutex;
};

// A worker thread of the class Worker, which provides Run(): Run loops until StopRequested() is
// seen and then returns. States: no worker (no handle); running (handle, running flag set); ending
// (stop flag set, Stop waiting in join). Only the thread that owns the object starts and stops it.
// A worker with nothing to do sleeps in WaitForWork until WakeWorker or Stop wakes it, so an idle
// worker costs no wake-ups.
template <class Worker>
class Thread
{
public:
    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    virtual ~Thread() { Stop(); }

    // Starts the worker unless one exists. Returns false when the thread cannot be created.
    bool Start()
    {
        std::lock_guard lock(m_mutex);
        if (m_handle.joinable())
            return true;
        m_stop = false;
        m_running = true;
        try {
            m_handle = std::thread([this] { static_cast<Worker*>(this)->Run(); });
        } catch (const std::system_error&) {
            m_running = false;
            return false;
        }
        return true;
    }

    // Sets the stop flag and waits for the worker to end (outside the lock). The flag stays set
    // until the next Start, so a download in progress sees it and gives up.
    void Stop()
    {
        bool exists = false;
        {
            std::lock_guard lock(m_mutex);
            exists = m_handle.joinable();
        }
        if (!exists)
            return;
        {
            // Set under the lock, so that a worker between its check and its wait cannot miss it.
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_handle.join();
        std::lock_guard lock(m_mutex);
        m_handle = std::thread();
        m_running = false;
    }

    // Whether a worker exists (read under the lock).
    bool HasWorker()
    {
        std::lock_guard lock(m_mutex);
        return m_handle.joinable();
    }

    bool StopRequested() const { return m_stop.load(); }
    const std::atomic<bool>& StopFlag() const { return m_stop; }
    bool IsRunning() const { return m_running.load(); }

protected:
    void SetRunning(bool running) { m_running = running; }
    Mutex& Lock() { return m_mutex; }

    // On the worker, holding Lock() through `lock`: waits until the stop flag is set or `hasWork`
    // (called under the lock) holds.
    template <class Predicate>
    void WaitForWork(std::unique_lock<Mutex>& lock, Predicate hasWork)
    {
        m_wake.wait(lock, [&] { return m_stop.load() || hasWork(); });
    }
    // Wakes a waiting worker; the caller has changed what `hasWork` reads under Lock().
    void WakeWorker() { m_wake.notify_one(); }

private:
    std::thread m_handle;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    Mutex m_mutex;
    std::condition_variable_any m_wake;
};

}  // namespace fe
