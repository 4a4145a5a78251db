#pragma once
// A thread of the FTP code with an owner. The owner starts work on it and, when the owner
// goes (or earlier, when asked), the work is told to stop and the thread is joined: no FTP
// thread outlives what started it.
//
// The bound on that join is the stop's promise. Every socket wait of the FTP code watches a
// cancel signal, so work whose signal was raised ends within a moment; the one wait no
// signal cuts short is the system's lookup of a host name, which ends by the resolver's own
// timeout.
#include <atomic>
#include <functional>
#include <thread>

namespace TEVComponentDesignerAfx {

class CFtpWorker {
public:
    CFtpWorker() = default;
    // Stops the work still running and joins its thread.
    ~CFtpWorker();
    CFtpWorker(const CFtpWorker&) = delete;
    CFtpWorker& operator=(const CFtpWorker&) = delete;

    // Runs `work` on a new thread; `stop` is what cuts it short (it raises the signal the
    // work's waits watch) and is called from the owner's thread. Work started before must
    // have returned: its thread is joined first. False when no thread could be started;
    // nothing runs then.
    bool Start(std::function<void()> work, std::function<void()> stop);
    // True from Start until the work returned.
    bool IsRunning() const { return m_running.load(std::memory_order_acquire); }
    // Tells running work to stop and returns at once.
    void AskToStop();
    // Tells running work to stop and joins its thread.
    void Stop();

private:
    std::thread m_thread;
    std::function<void()> m_stop;
    std::atomic<bool> m_running{false};
};

} // namespace TEVComponentDesignerAfx
