#pragma once
#include <QString>
#include <QThread>

class RelayWorker;

// A TCP relay between the program and a database server, run in a thread of
// its own so that it keeps relaying while the test's thread is blocked in a
// statement. The test cuts it (every relayed connection is dropped and new
// ones are closed at once: a lost server), pauses it (connections are
// accepted but nothing is passed on: a stalled server) and restores it.
class TcpRelay {
public:
    TcpRelay(const QString &host, quint16 port);
    ~TcpRelay();
    quint16 port() const { return m_port; }
    // "127.0.0.1:port", as a connection's server setting.
    QString address() const;

    void cut();
    void pause();
    void restore();

private:
    QThread m_thread;
    RelayWorker *m_worker = nullptr;
    quint16 m_port = 0;
};
