#pragma once
#include "platform/Connection.h"
#include "platform/DbGrid.h"
#include "platform/ScriptedPlatform.h"
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class QCheckBox;

// The engines the data and window tests run on: SQLite always, PostgreSQL
// when the environment names a server (KAVRIN_TEST_PG="host=..;port=..;user=..;dbname=..").
QList<Engine> testEngines();
// Adds one row per engine to a data-driven test: column "engine" (int).
void addEngineRows();
Engine currentEngine(); // reads the "engine" column of the current data row

// A fresh, empty database for one test case: a file in a temporary folder
// for SQLite, a new schema for PostgreSQL (dropped again at the end).
class TestDatabase {
public:
    explicit TestDatabase(Engine engine);
    ~TestDatabase();
    ConnectionSettings settings() const { return m_settings; }
    // A new connection to this database (a second workstation, say).
    std::unique_ptr<Connection> connect() const;

private:
    ConnectionSettings m_settings;
    QTemporaryDir m_dir;
};

// A fresh database with the schema in place and a connection to it, for the
// data-layer tests: one per test case.
struct SchemaDatabase {
    explicit SchemaDatabase(Engine engine);
    TestDatabase database;
    std::unique_ptr<Connection> conn;
    void run(const QString &sql); // a statement without rows, through a query
};

// The whole program on a fresh database: every window and the data module
// created, `dm` connected, the schema and the first-run values in place, and
// the scripted platform installed. One per test case.
class AppFixture {
public:
    explicit AppFixture(Engine engine, bool prepared = true);
    ~AppFixture();
    ScopedScriptedPlatform ui;
    TestDatabase database;
    // Runs a statement on a connection of its own; returns the first column of every row.
    QStringList column(const QString &sql);
    // The first value the statement returns, or the empty text.
    QString value(const QString &sql) { return column(sql).value(0); }
    void exec(const QString &sql);
    // Signs in as the user with this id and name, as login does.
    void setCurrentUser(const QString &id, const QString &name);
private:
    std::unique_ptr<Connection> m_side;
};

// Types text into a widget with key events that carry the text itself, which
// QTest::keyClicks cannot do for Persian.
void typeText(QWidget *widget, const QString &text);

// What the list tests ask of a list window.
QStringList columnValues(const Query &rows, const QString &field);       // every row's text of a field
int gridColumnOf(const QList<GridColumn> &columns, const QString &field);  // -1 when the grid has none
void clickGridTitle(DbGrid *grid, int column);
bool gridTitleBold(DbGrid *grid, int column);
// Ticks a filter's check box and puts a text into its field (an edit or a combo box).
void switchFilterOn(QCheckBox *box, QWidget *field, const QString &text);

// Path of a file of the reference data (../shared/data).
QString sharedDataFile(const QString &name);
