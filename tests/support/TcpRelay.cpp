#include "TcpRelay.h"
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <utility>

class RelayWorker : public QObject {
public:
    enum class Mode { Open, Paused, Cut };

    RelayWorker(const QString &host, quint16 port) : m_host(host), m_port(port) {}

    quint16 listen()
    {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost, 0);
        QObject::connect(m_server, &QTcpServer::newConnection, this, [this] { accept(); });
        return m_server->serverPort();
    }

    void setMode(Mode mode)
    {
        // What a pause held is passed on only over connections the program
        // still holds. One it closed meanwhile (it gave up on the stalled
        // server) may not have had its close read here yet: read now, still
        // paused, it is dropped, and its last statement never runs.
        if (mode == Mode::Open)
            for (const Pair &p : QList<Pair>(m_pairs))
                while (p.client && p.client->state() == QAbstractSocket::ConnectedState && p.client->waitForReadyRead(0)) {
                }
        m_mode = mode;
        if (mode == Mode::Cut) {
            for (const Pair &p : std::exchange(m_pairs, {}))
                drop(p, Ending::Abort);
        } else if (mode == Mode::Open) {
            for (const Pair &p : std::as_const(m_pairs))
                pump(p);
        }
    }

    void stop()
    {
        setMode(Mode::Cut);
        delete m_server;
        m_server = nullptr;
    }

private:
    struct Pair {
        QPointer<QTcpSocket> client;
        QPointer<QTcpSocket> server;
        bool operator==(const Pair &) const = default;
    };

    // Ends both sides of a relayed connection and deletes them once closed.
    // Their signals are disconnected first: a socket emits "disconnected"
    // from its own destructor as well, and nothing here may then reach it.
    // The two sockets are parents of neither: a socket deleted as a child of
    // the other was reached half destroyed.
    enum class Ending { Gracefully, Abort };
    void drop(const Pair &p, Ending ending)
    {
        m_pairs.removeOne(p);
        for (QTcpSocket *socket : {p.client.data(), p.server.data()}) {
            if (!socket)
                continue;
            QObject::disconnect(socket, nullptr, this, nullptr);
            if (ending == Ending::Abort)
                socket->abort();
            else
                socket->disconnectFromHost(); // what is still to be written is sent first
            if (socket->state() == QAbstractSocket::UnconnectedState)
                socket->deleteLater();
            else
                QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void accept()
    {
        while (QTcpSocket *client = m_server->nextPendingConnection()) {
            if (m_mode == Mode::Cut) {
                client->abort();
                client->deleteLater();
                continue;
            }
            auto *server = new QTcpSocket(this);
            const Pair pair{client, server};
            m_pairs << pair;
            auto relay = [this, pair] { if (m_mode == Mode::Open) pump(pair); };
            auto end = [this, pair] { drop(pair, Ending::Gracefully); };
            QObject::connect(client, &QTcpSocket::readyRead, this, relay);
            QObject::connect(server, &QTcpSocket::readyRead, this, relay);
            QObject::connect(server, &QTcpSocket::connected, this, relay);
            QObject::connect(client, &QTcpSocket::disconnected, this, end);
            QObject::connect(server, &QTcpSocket::disconnected, this, end);
            server->connectToHost(m_host, m_port);
        }
    }

    static void pump(const Pair &p)
    {
        if (!p.client || !p.server || p.server->state() != QAbstractSocket::ConnectedState)
            return;
        if (p.client->bytesAvailable())
            p.server->write(p.client->readAll());
        if (p.server->bytesAvailable())
            p.client->write(p.server->readAll());
    }

    QString m_host;
    quint16 m_port;
    QTcpServer *m_server = nullptr;
    Mode m_mode = Mode::Open;
    QList<Pair> m_pairs;
};

TcpRelay::TcpRelay(const QString &host, quint16 port)
{
    m_worker = new RelayWorker(host, port);
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, [this] { m_port = m_worker->listen(); }, Qt::BlockingQueuedConnection);
}

TcpRelay::~TcpRelay()
{
    QMetaObject::invokeMethod(m_worker, [this] { m_worker->stop(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QString TcpRelay::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void TcpRelay::cut()
{
    QMetaObject::invokeMethod(m_worker, [this] { m_worker->setMode(RelayWorker::Mode::Cut); }, Qt::BlockingQueuedConnection);
}

void TcpRelay::pause()
{
    QMetaObject::invokeMethod(m_worker, [this] { m_worker->setMode(RelayWorker::Mode::Paused); }, Qt::BlockingQueuedConnection);
}

void TcpRelay::restore()
{
    QMetaObject::invokeMethod(m_worker, [this] { m_worker->setMode(RelayWorker::Mode::Open); }, Qt::BlockingQueuedConnection);
}
