#include "HostInfo.h"
#include <QHostAddress>
#include <QHostInfo>

QString hostLocalIPv4()
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError)
        return QString();
    QString last;
    for (const QHostAddress &a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            last = a.toString();
    return last;
}

QString hostNameOfAddress(const QString &address)
{
    QHostAddress a;
    if (!a.setAddress(address) || a.protocol() != QAbstractSocket::IPv4Protocol)
        return QString();
    const QHostInfo info = QHostInfo::fromName(address);
    if (info.error() != QHostInfo::NoError || info.hostName() == address)
        return QString();
    return info.hostName();
}
