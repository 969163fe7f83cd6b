#include "Sql.h"

QString quoted(const QString &value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('\'');
    for (QChar c : value) {
        out += c;
        if (c == QLatin1Char('\''))
            out += QLatin1Char('\'');
    }
    out += QLatin1Char('\'');
    return out;
}
