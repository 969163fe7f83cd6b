#pragma once
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

// One statement on the server, as the data layer executes it. A statement can
// answer with several results: SQL Server sends the progress of BACKUP
// DATABASE ("10 percent processed", ...) and the errors that arise on the way
// as further results of the one statement, and freeing the statement before
// they are read cancels the work on the server. So every result is read, and
// a failure among them is the statement's failure.
class Statement {
public:
    virtual ~Statement() = default;
    virtual bool exec(const QString &sql) = 0;   // false when the statement fails
    virtual int rowsAffected() const = 0;        // of the first result
    virtual bool nextResult() = 0;               // false when none is left or the next one failed
    virtual QSqlError lastError() const = 0;     // the last failure; not valid when none
};

// Executes `sql` and reads every further result and message before returning;
// the rows its first result affected. A failure, in the first result or a
// later one, raises DataError with the engine's error.
int executeToEnd(Statement &statement, const QString &sql);

// The statement of a real connection.
class SqlStatement : public Statement {
public:
    explicit SqlStatement(const QSqlDatabase &database) : m_query(database) {}
    bool exec(const QString &sql) override;
    int rowsAffected() const override { return m_query.numRowsAffected(); }
    bool nextResult() override { return m_query.nextResult(); }
    QSqlError lastError() const override { return m_query.lastError(); }

private:
    QSqlQuery m_query;
};
