#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Gives up on a server that does not answer. While armed, a thread of its own
// waits for the deadline; when it passes, the connection's socket is shut
// down, which makes the driver call blocked on it return at once with an
// error (the connection is then broken and is reopened by the next
// operation). The server's own statement limit answers first when the server
// is alive; this covers a server or a network that has stopped.
class StatementWatch {
public:
    StatementWatch() = default;
    ~StatementWatch();
    StatementWatch(const StatementWatch &) = delete;
    StatementWatch &operator=(const StatementWatch &) = delete;

    void arm(int socket, int milliseconds);
    void disarm();
    bool fired(); // since the last arm

private:
    void watch();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    std::chrono::steady_clock::time_point m_deadline;
    std::chrono::steady_clock::time_point m_waitingUntil; // the deadline the thread waits for
    bool m_sleeping = false; // the thread waits for the next arm
    int m_socket = -1;
    bool m_armed = false;
    bool m_fired = false;
    bool m_quit = false;
};
