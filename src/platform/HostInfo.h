#pragma once
#include <QString>

// The local IPv4 address: the last address the local host name resolves to,
// or the empty text when it does not resolve.
QString hostLocalIPv4();
// The name of the host at a dotted IPv4 address, or the empty text.
QString hostNameOfAddress(const QString &address);
