#pragma once
#include "Connection.h"
#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Query;
class QSqlQuery;

// One column of a query's current row (or of the row being edited).
class Field {
public:
    Field(Query *query, int column) : m_query(query), m_column(column) {}

    QString name() const;
    ColumnKind kind() const;
    bool isNull() const;
    QVariant value() const;
    QString asString() const;   // NULL reads as the empty text
    qint64 asInteger() const;   // a text that is no whole number raises DataError
    double asFloat() const;     // a text that is no number raises DataError
    bool asBoolean() const;
    QByteArray asBytes() const;

    // Assignments need the query in append or edit state. A text is converted
    // to the column's type: the empty text is NULL in a number column, a text
    // that is no number raises DataError and assigns nothing.
    // An edit writes an assigned value where it differs from the one the row
    // was read with; one assigned with Always is written and compared with
    // that value even when equal, so that a change another workstation made
    // to it since refuses the post.
    enum class Write { IfChanged, Always };
    void setText(const QString &text, Write write = Write::IfChanged);
    // The value setText would assign for a text, in any state of the query;
    // DataError when the text does not convert.
    QVariant valueOfText(const QString &text) const;
    void setValue(const QVariant &value);
    void setBytes(const QByteArray &bytes);
    void clear();

private:
    Query *m_query;
    int m_column;
};

// A query over the shared connection: the statement as lines, open (every row
// fetched into memory: a static snapshot that can be counted, positioned and
// sorted freely) or execute, a current row, and append/edit/post against the
// base table of the statement.
class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Browse, Edit, Insert };

    Query(Connection *connection, const QString &name, const QString &designSql = QString(),
          QObject *parent = nullptr);

    Connection *connection() const { return m_connection; }

    // The statement. Every change closes the query.
    void clear();
    void add(const QString &line);
    void setText(const QString &text);
    QString text() const;      // the lines joined with line breaks, or the design SQL
    QStringList lines() const { return m_lines; }

    void open();               // runs the statement and fetches every row
    int execute();             // runs a statement without rows; rows affected
    void close();
    bool isOpen() const { return m_state != State::Closed; }
    State state() const { return m_state; }

    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_current + 1; }    // 1 = first row; 0 when empty
    void setRecNo(int recNo);
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    int columnCount() const { return int(m_columns.size()); }
    QString columnName(int column) const { return m_columns.value(column).name; }
    int columnIndex(const QString &name) const;        // -1 when missing
    Field field(const QString &name);                  // DataError when missing or closed
    QVariant valueAt(int row, int column) const;       // for grids and reports
    QString textAt(int row, int column) const;

    void append();
    void edit();
    void post();
    void cancel();

    // The client-side sort: "field ASC", "field DESC", or several joined by ",";
    // the empty text keeps the order in which the rows came.
    QString sort() const { return m_sort; }
    void setSort(const QString &sort);

    // The table that post writes to: the first table after "from".
    QString baseTable() const;

    // A value as a field shows it. A double shows the fewest digits that read
    // back as the same double, so that a shown value posted back unchanged is
    // the value stored; a computed one (a sum, an average) shows at most 15
    // significant digits, which drop the noise of binary arithmetic.
    static QString displayText(const QVariant &value, ColumnKind kind, bool computed = false);

    // The refusal of an edit whose row was deleted, or whose changed fields
    // were changed by another workstation, since it was read.
    static QString changedByAnotherUser();

Q_SIGNALS:
    void reset();                       // opened, closed, sorted
    void currentChanged(int row);       // 0-based, -1 when none
    void rowChanged(int row);           // a posted edit
    void rowAppended(int row);          // a posted insert

private:
    friend class Field;
    struct Column {
        QString name;
        QString key; // lower-case name
        ColumnKind kind;
        bool computed = false; // not a column of the base table: nothing posts it back
    };

    void requireOpen() const;
    void requireRow() const;
    void setCurrent(int row);
    QVariant currentValue(int column) const;
    void assign(int column, const QVariant &value, Field::Write write = Field::Write::IfChanged);
    QVariant convertText(int column, const QString &text) const;
    ColumnKind tableKind(int column) const;
    void closeSilently();
    void postRow();
    // False when the row is no longer there.
    bool readBackStored(const QString &table, const QHash<QString, ColumnKind> &tableColumns, const QVariant &id);
    // "?" for a value that is bound, or the value itself where the engine
    // takes it written into the statement (see Dialect::unboundValue).
    QString parameterMark(const QVariant &value) const;
    void bindValues(QSqlQuery &q, const QVector<QVariant> &values) const;
    void fetchGeneric(const QString &sql, const QHash<QString, ColumnKind> &declared, QVector<Column> &columns, QVector<QByteArray> &rows);
    void fetchPostgres(const QString &sql, const QHash<QString, ColumnKind> &declared, QVector<Column> &columns, QVector<QByteArray> &rows);
    void fetchSqlite(const QString &sql, const QHash<QString, ColumnKind> &declared, QVector<Column> &columns, QVector<QByteArray> &rows);
    static QByteArray pack(const QVector<QVariant> &values, const QVector<Column> &columns);
    static QVariant unpack(const QByteArray &row, int column, ColumnKind kind);

    Connection *m_connection;
    QString m_designSql;
    QStringList m_lines;
    bool m_statementSet = false;
    State m_state = State::Closed;
    QVector<Column> m_columns;
    QHash<QString, int> m_columnIndex;
    QVector<QByteArray> m_rows; // one packed row each: see pack()
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QString m_sort;
    QVector<QVariant> m_buffer;  // the row being edited or appended
    QVector<bool> m_assigned;
    QVector<bool> m_writeAlways; // assigned with Field::Write::Always
};
