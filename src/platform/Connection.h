#pragma once
#include "Dialect.h"
#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlField>
#include <functional>

// How a value of a column is held and converted. Money columns (the engines'
// money and decimal types) hold exact decimals of four places: see Money.
enum class ColumnKind { Text, Integer, Float, Bool, Bytes, DateTime, Money };

// The kind of a column from its declared SQL type or from a driver's type.
ColumnKind columnKindOfDeclaredType(const QString &declared);
ColumnKind columnKindOfMetaType(int metaTypeId);
// The kind of a column a driver describes: its type, and for the decimal
// types (a double to Qt) the engine's own type code.
ColumnKind columnKindOfField(Engine engine, const QSqlField &field);

struct ConnectionSettings {
    Engine engine = Engine::SqlServer;
    QString server;   // host name or address, "host,port" or "host:port"; for SQLite unused
    QString database; // database name; for SQLite the file path
    QString user;
    QString password;
    bool integratedSecurity = false; // the operating system's account, no password
    QString schema;   // PostgreSQL: the schema that holds the tables (empty: the server's default)
};

// The one database connection of the program (and, in tests, of a second
// workstation). Connection values go into the driver's own fields, never
// spliced raw into a connection string.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    void setSettings(const ConnectionSettings &settings);
    const ConnectionSettings &settings() const { return m_settings; }

    // Connects with the current settings; throws DataError with the engine's text.
    void open();
    void close();
    bool connected() const;

    QSqlDatabase database() const;
    Engine engine() const { return m_settings.engine; }
    const Dialect &dialect() const { return Dialect::of(m_settings.engine); }

    // Declared kind of each column of a table, lower-case names (cached until
    // the schema changes through this connection).
    QHash<QString, ColumnKind> columnKinds(const QString &table);
    void forgetSchema() { m_kinds.clear(); }

    // Runs work in one transaction: committed when it returns, rolled back
    // (and the error passed on) when it throws.
    void transaction(const std::function<void()> &work);

    // The ODBC connection string for SQL Server, each value in braces.
    static QString odbcConnectionString(const ConnectionSettings &settings);

private:
    QString m_name;
    ConnectionSettings m_settings;
    QHash<QString, QHash<QString, ColumnKind>> m_kinds;
};
