#pragma once
#include <QSqlError>
#include <QString>
#include <stdexcept>

// The one exception type of the data layer. It carries the engine's own
// message (or the data layer's, for conversions and missing fields), which the
// default error box shows as it stands. An engine's failure keeps the
// engine's error as well: its code tells the failure apart whatever the
// language of the text.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    explicit DataError(const QSqlError &engineError)
        : DataError(engineError.text(), engineError) {}
    // The same failure told in other words: the engine's error goes with it.
    DataError(const QString &message, const QSqlError &engineError)
        : DataError(message) { m_engineError = engineError; }
    QString message() const { return m_message; }
    // Not valid when the message is the data layer's own.
    const QSqlError &engineError() const { return m_engineError; }

private:
    QString m_message;
    QSqlError m_engineError;
};
