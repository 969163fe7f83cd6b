#include "passwords.h"
#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Each character is one byte of the Arabic Windows code page; the transform
// works on those bytes, as the stored values of existing installations do.
QByteArray toCodePage(const QString &text)
{
    QStringEncoder encoder("windows-1256");
    if (encoder.isValid())
        return encoder.encode(text);
    return text.toLatin1();
}

QString fromCodePage(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1256");
    if (decoder.isValid())
        return decoder.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString transform(const QString &text, int delta)
{
    const QByteArray in = toCodePage(text);
    QByteArray out(in.size(), '\0');
    for (int k = 0; k < in.size(); ++k)
        out[k] = char((quint8(in[in.size() - 1 - k]) + delta) & 0xFF);
    return fromCodePage(out);
}

} // namespace

QString ScramblePassword(const QString &password) { return transform(password, -1); }
QString UnscramblePassword(const QString &stored) { return transform(stored, +1); }

bool passwordKeepable(const QString &password)
{
    return UnscramblePassword(ScramblePassword(password)) == password;
}
