#include "Statement.h"
#include "DataError.h"
#include <QSqlError>

bool SqlStatement::exec(const QString &sql)
{
    return m_query.exec(sql);
}

QString SqlStatement::errorText() const
{
    const QSqlError error = m_query.lastError();
    return error.isValid() ? error.text() : QString();
}

int executeToEnd(Statement &statement, const QString &sql)
{
    if (!statement.exec(sql)) {
        const QString text = statement.errorText();
        throw DataError(text.isEmpty() ? QStringLiteral("اجراي دستور با خطا مواجه شد") : text);
    }
    const int rows = statement.rowsAffected();
    while (statement.nextResult()) {
    }
    // The end of the results is no failure; an error text left by the last
    // call is one.
    const QString text = statement.errorText();
    if (!text.isEmpty())
        throw DataError(text);
    return rows;
}
