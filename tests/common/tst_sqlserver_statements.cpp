// The statements the pages build on SQL Server: every text literal of the
// searches, look-ups, checks, log rows, accounts, lookup values, phone book
// and passwords carries the Unicode prefix and reads back as the typed text;
// the backup reads every result the server answers with.
// No SQL Server runs here: the program's connection stays on SQLite but
// speaks the SQL Server dialect, statements without rows go to a recording
// fake, and a statement that SQLite cannot parse is read from its query.
#include "TestSupport.h"
#include "admin/setting_u.h"
#include "admin/users_u.h"
#include "common/ListSearch.h"
#include "core/app.h"
#include "core/change_pass_u.h"
#include "core/dm_u.h"
#include "core/login_u.h"
#include "core/server_u.h"
#include "office/backup_u.h"
#include "office/phone_u.h"
#include "personnel/personel_src_u.h"
#include "platform/ComboBox.h"
#include "platform/DataError.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "platform/SqlServerOdbc.h"
#include "platform/Statement.h"
#include "trips/taradod_ins_u.h"
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <functional>

namespace {

const QString Probe = QStringLiteral("علی' کی ۱۲۳");

struct Literal {
    bool national;
    QString text;
};

// The text literals of a statement as SQL Server reads them.
QList<Literal> literalsOf(const QString &sql)
{
    QList<Literal> literals;
    for (int i = 0; i < sql.size(); ++i) {
        if (sql[i] != QLatin1Char('\''))
            continue;
        const bool national = i > 0 && sql[i - 1] == QLatin1Char('N')
            && (i < 2 || !(sql[i - 2].isLetterOrNumber() || sql[i - 2] == QLatin1Char('_')));
        QString text;
        for (++i; i < sql.size(); ++i) {
            if (sql[i] == QLatin1Char('\'')) {
                if (i + 1 < sql.size() && sql[i + 1] == QLatin1Char('\'')) {
                    text += QLatin1Char('\'');
                    ++i;
                    continue;
                }
                break;
            }
            text += sql[i];
        }
        literals << Literal{national, text};
    }
    return literals;
}

// What the server answers every statement with: further results after the
// first, each "" for a good one or the text of its error.
struct Answers {
    QStringList executed;
    QStringList furtherResults;
    int read = 0;
};

class RecordingStatement : public Statement {
public:
    explicit RecordingStatement(Answers *answers) : m_answers(answers) {}
    bool exec(const QString &sql) override { m_answers->executed << sql; return true; }
    int rowsAffected() const override { return 1; }
    bool nextResult() override
    {
        if (m_next >= m_answers->furtherResults.size())
            return false;
        ++m_answers->read;
        m_error = m_answers->furtherResults[m_next++];
        return m_error.isEmpty();
    }
    QSqlError lastError() const override { return QSqlError(QString(), m_error, m_error.isEmpty() ? QSqlError::NoError : QSqlError::StatementError); }

private:
    Answers *m_answers;
    int m_next = 0;
    QString m_error;
};

// The program's connection speaking SQL Server for one test case.
class SqlServerSpeaking {
public:
    SqlServerSpeaking()
    {
        Connection &c = *app::dm->ADOConnection1;
        ConnectionSettings s = c.settings();
        s.engine = Engine::SqlServer;
        c.setSettings(s);
        c.setStatementMaker([this] { return std::make_unique<RecordingStatement>(&answers); });
    }
    Answers answers;

    // Runs a page action (its first statement that returns rows fails on
    // SQLite) and returns every statement it built that holds the probe.
    QStringList statementsOf(const std::function<void()> &action)
    {
        const QString text = Probe.section(QLatin1Char('\''), 1); // as it stands in the statement
        answers.executed.clear();
        for (Query *q : app::dm->queries())
            q->clear();
        try {
            action();
        } catch (const DataError &) {
        }
        QStringList found;
        for (const QString &sql : answers.executed)
            if (sql.contains(text))
                found << sql;
        for (Query *q : app::dm->queries())
            if (q->text().contains(text))
                found << q->text();
        return found;
    }
};

// Every literal of every statement is N'...', and `expected` is among them.
void verifyLiterals(const QStringList &statements, const QString &expected)
{
    QVERIFY2(!statements.isEmpty(), "no statement holds the typed text");
    for (const QString &sql : statements) {
        bool seen = false;
        for (const Literal &l : literalsOf(sql)) {
            QVERIFY2(l.national, qPrintable(sql));
            seen = seen || l.text == expected;
        }
        QVERIFY2(seen, qPrintable(sql));
    }
}

} // namespace

class SqlServerStatementsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
private Q_SLOTS:
    // A home of the test's own with a desktop folder, which the backup
    // window's tree is rooted at.
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Desktop")));
    }

    void accountsPasswordsAndLogRows()
    {
        AppFixture fx(Engine::Sqlite);
        SqlServerSpeaking server;

        verifyLiterals(server.statementsOf([] {
            app::login->us->setText(Probe);
            app::login->ps->setText(Probe);
            app::login->BitBtn1Click();
        }), Probe);
        verifyLiterals(server.statementsOf([] { app::login->WriteLogRow(Probe, QStringLiteral("ورود")); }), Probe);
        // A long description is cut to its column also where the database's
        // column lengths cannot be read, as here.
        const QStringList logRow = server.statementsOf([] { app::login->WriteLogRow(Probe, QString(550, QChar(0x0633))); });
        QVERIFY(!logRow.isEmpty());
        QCOMPARE(literalsOf(logRow.first()).last().text.size(), 200);
        verifyLiterals(server.statementsOf([] {
            app::login->us->setText(QStringLiteral("admin"));
            app::login->ps->setText(QStringLiteral("1"));
            app::change_pass->Edit1->setText(Probe);
            app::change_pass->Edit2->setText(Probe);
            app::change_pass->BitBtn1Click();
        }), Probe);
        verifyLiterals(server.statementsOf([] {
            app::users->us->setText(Probe);
            app::users->ps->setText(Probe);
            app::users->ins_btnClick();
        }), Probe);
    }

    void lookupValuesAndPhoneBook()
    {
        AppFixture fx(Engine::Sqlite);
        SqlServerSpeaking server;
        verifyLiterals(server.statementsOf([] {
            app::setting->component->setText(QStringLiteral("سمت پرسنل"));
            app::setting->cmt->setText(Probe);
            app::setting->ins_btnClick();
        }), Probe);
        verifyLiterals(server.statementsOf([] {
            app::phone->name->setText(Probe);
            app::phone->ins_btnClick();
        }), Probe);
    }

    void searchesLookupsAndChecks()
    {
        AppFixture fx(Engine::Sqlite);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        SqlServerSpeaking server;

        // A list search, with the county restriction of a city-level user.
        verifyLiterals(server.statementsOf([] {
            Tpersonel_src *w = app::personel_src;
            switchFilterOn(w->CheckBox1, w->lname, Probe);
            w->src_btnClick();
        }), QLatin1Char('%') + Probe + QLatin1Char('%'));
        app::users->level->setText(QStringLiteral("city"));
        app::users->prs_id->setText(Probe);
        verifyLiterals({countyRestriction()}, Probe);

        // The trip entry's driver look-up and its one-trip-a-day check.
        Ttaradod_ins *trip = app::taradod_ins;
        verifyLiterals(server.statementsOf([trip] {
            trip->nahve->setText(QStringLiteral("استيجاري"));
            trip->ranande->setText(Probe);
            trip->ranandeChange();
        }), Probe);
        verifyLiterals(server.statementsOf([trip] {
            // The save takes the texts as the list's result set will, before its checks.
            app::dm->ADOQ_taradod->add(QStringLiteral("select * from taradod"));
            trip->typ->setText(QStringLiteral("خارج شهر"));
            trip->ranande->setText(Probe);
            trip->mamor->setText(QStringLiteral("مامور"));
            trip->ins_btnClick();
        }), Probe);
    }

    // The settings window names the driver SQL Server will be reached through.
    void settingsWindowNamesTheDriver()
    {
        AppFixture fx(Engine::Sqlite);
        Tserver *w = app::server;
        w->setEngineText(QStringLiteral("SQL Server"));
        w->show();
        const QString line = sqlServerDriverLine(chooseSqlServerDriver(installedOdbcDrivers()));
        QCOMPARE(w->odbcDriver->text(), line);
        if (installedOdbcDrivers().contains(QStringLiteral("FreeTDS")))
            QCOMPARE(line, QStringLiteral("راه انداز ODBC: FreeTDS"));
        w->setEngineText(QStringLiteral("PostgreSQL"));
        QCOMPARE(w->odbcDriver->text(), QString());
        w->setEngineText(QStringLiteral("SQL Server"));
        QCOMPARE(w->odbcDriver->text(), line);
        w->close();
    }

    // SQL Server reports a backup's progress as further results and abandons
    // it when they are not read; an error among them is the backup's failure.
    void backupReadsEveryResultOfItsStatement()
    {
        AppFixture fx(Engine::Sqlite);
        SqlServerSpeaking server;
        Tbackup *w = app::backup;
        const QString folder = m_home.filePath(QStringLiteral("Desktop"));
        QVERIFY(w->selectFolder(folder));
        QCOMPARE(w->selectedFolder(), folder);

        server.answers.furtherResults = {QString(), QString(), QString()};
        w->BitBtn1Click();
        QCOMPARE(fx.ui.messages().last(), QStringLiteral("فايل پشتيبان تهيه شد"));
        QCOMPARE(server.answers.executed.size(), 1);
        QVERIFY(server.answers.executed.first().startsWith(QStringLiteral("BACKUP DATABASE [")));
        QVERIFY(server.answers.executed.first().contains(QStringLiteral("TO DISK= N'")));
        QCOMPARE(server.answers.read, 3);

        server.answers.furtherResults = {QString(), QStringLiteral("BACKUP DATABASE is terminating abnormally.")};
        w->BitBtn1Click();
        QCOMPARE(fx.ui.messages().last(), QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد"));
    }
};

QTEST_MAIN(SqlServerStatementsTest)
#include "tst_sqlserver_statements.moc"
