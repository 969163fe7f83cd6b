#pragma once
#include <QString>
#include <stdexcept>

// The one exception type of the data layer. It carries the engine's own
// message (or the data layer's, for conversions and missing fields), which the
// default error box shows as it stands.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
