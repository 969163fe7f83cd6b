#include "Statement.h"
#include "DataError.h"

bool SqlStatement::exec(const QString &sql)
{
    return m_query.exec(sql);
}

int executeToEnd(Statement &statement, const QString &sql)
{
    if (!statement.exec(sql)) {
        const QSqlError error = statement.lastError();
        if (!error.isValid() || error.text().isEmpty())
            throw DataError(QStringLiteral("اجراي دستور با خطا مواجه شد"));
        throw DataError(error);
    }
    const int rows = statement.rowsAffected();
    while (statement.nextResult()) {
    }
    // The end of the results is no failure; an error text left by the last
    // call is one.
    const QSqlError error = statement.lastError();
    if (error.isValid() && !error.text().isEmpty())
        throw DataError(error);
    return rows;
}
