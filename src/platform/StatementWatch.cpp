#include "StatementWatch.h"
#include <sys/socket.h>

StatementWatch::~StatementWatch()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void StatementWatch::arm(int socket, int milliseconds)
{
    bool wake;
    {
        std::lock_guard lock(m_mutex);
        m_socket = socket;
        m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        m_armed = true;
        m_fired = false;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { watch(); });
        // A thread waiting for an earlier deadline wakes then and waits on:
        // it is woken now only when it sleeps or the new deadline is earlier.
        wake = m_sleeping || m_deadline < m_waitingUntil;
    }
    if (wake)
        m_wake.notify_one();
}

void StatementWatch::disarm()
{
    std::lock_guard lock(m_mutex);
    m_armed = false;
}

bool StatementWatch::fired()
{
    std::lock_guard lock(m_mutex);
    return m_fired;
}

void StatementWatch::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_armed) {
            m_sleeping = true;
            m_wake.wait(lock);
            m_sleeping = false;
            continue;
        }
        m_waitingUntil = m_deadline;
        m_wake.wait_until(lock, m_waitingUntil);
        if (m_armed && !m_quit && std::chrono::steady_clock::now() >= m_deadline) {
            // The socket is the connection's own duplicate, open as long as
            // the connection is: shutting it down reaches the driver's socket.
            ::shutdown(m_socket, SHUT_RDWR);
            m_fired = true;
            m_armed = false;
        }
    }
}
