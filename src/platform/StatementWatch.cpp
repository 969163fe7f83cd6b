#include "StatementWatch.h"
#include "DataError.h"
#include <sys/socket.h>
#include <system_error>

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
        // The system may refuse a thread (too many of them, no memory left):
        // the operation then fails with a sentence the clerk can act on.
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread([this] { watch(); });
            } catch (const std::system_error &e) {
                throw DataError(QStringLiteral("منابع سيستم براي برقراري ارتباط با بانك اطلاعاتي كافي نيست؛ "
                                              "لطفا برنامه هاي ديگر را ببنديد و دوباره سعي نماييد\n")
                                + QString::fromLocal8Bit(e.what()));
            }
        }
        m_socket = socket;
        m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        m_armed = true;
        m_fired = false;
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
