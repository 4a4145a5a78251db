#include "designer/ftp/FtpWorker.h"

#include <system_error>

namespace TEVComponentDesignerAfx {

CFtpWorker::~CFtpWorker() {
    Stop();
}

bool CFtpWorker::Start(std::function<void()> work, std::function<void()> stop) {
    if (m_thread.joinable())
        m_thread.join();
    m_stop = std::move(stop);
    m_running.store(true, std::memory_order_release);
    try {
        m_thread = std::thread([this, work = std::move(work)] {
            work();
            m_running.store(false, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        m_running.store(false, std::memory_order_release);
        return false;
    }
    return true;
}

void CFtpWorker::AskToStop() {
    if (IsRunning() && m_stop)
        m_stop();
}

void CFtpWorker::Stop() {
    AskToStop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace TEVComponentDesignerAfx
