#pragma once
#include "platform/Connection.h"
#include "platform/DbGrid.h"
#include "platform/ScriptedPlatform.h"
#include <QRectF>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

class QAbstractButton;
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

// Kaf, yeh, digits and Latin case in a list's text search. `search` empties the
// list's table, stores one row whose searched column holds `stored`, searches
// for `typed` as the user would and returns the number of rows found. Each
// spelling is found through the other form of its letters, both ways, and a
// different text is not.
void checkFoldedSearch(const std::function<int(const QString &stored, const QString &typed)> &search);

// The same for a list's text filter: `insert` (with %1 for the stored text)
// adds the one row to the emptied `table`; the filter is switched on with the
// typed text and `search` clicked; `rows` is the list's query.
void checkFoldedFilter(AppFixture &fx, const QString &table, const QString &insert, QCheckBox *box, QWidget *field,
                       QAbstractButton *search, const Query &rows);

// Path of a file of the reference data (../shared/data).
QString sharedDataFile(const QString &name);

// `pattern` repeated to `length` characters, as a value at a column's
// declared length; a value is not left ending in a space.
QString filledTo(int length, const QString &pattern);

// The words of each page of a PDF file, as the PDF reader (pdftotext -bbox)
// gives their boxes back (mm from the paper's corner).
struct Word {
    QRectF box;
    QString text;
};
QList<QList<Word>> pdfWords(const QString &pdf);
