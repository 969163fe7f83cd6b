#pragma once
#include "platform/Connection.h"
#include "platform/ScriptedPlatform.h"
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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
    void exec(const QString &sql);
    // Signs in as the user with this id and name, as login does.
    void setCurrentUser(const QString &id, const QString &name);
private:
    std::unique_ptr<Connection> m_side;
};

// Types text into a widget with key events that carry the text itself, which
// QTest::keyClicks cannot do for Persian.
void typeText(QWidget *widget, const QString &text);

// Path of a file of the reference data (../shared/data).
QString sharedDataFile(const QString &name);
