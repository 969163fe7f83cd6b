// The backup window: the file name, a backup on each engine read back with
// the engine's own tools, a second backup of the same day, and the failure
// message that leaves the day's earlier backup in place.
#include "TestSupport.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "office/backup_u.h"
#include "platform/Fonts.h"
#include <QDir>
#include <QFileSystemModel>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeView>

namespace {

const QString Done = QStringLiteral("فايل پشتيبان تهيه شد");
const QString Failed = QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد");

void selectFolder(Tbackup *w, const QString &path)
{
    auto *model = qobject_cast<QFileSystemModel *>(w->ShellTreeView1->model());
    w->ShellTreeView1->setCurrentIndex(model->index(path));
    QCOMPARE(w->selectedFolder(), path);
}

// The names of the phone entries a backup holds, read with the engine's own tools.
QStringList phoneNamesIn(Engine engine, const QString &file)
{
    QStringList names;
    if (engine == Engine::Sqlite) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("backup"));
            db.setDatabaseName(file);
            if (db.open()) {
                QSqlQuery q(QStringLiteral("select name from phone order by name"), db);
                while (q.next())
                    names << q.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("backup"));
        return names;
    }
    // pg_restore prints the archive's data as SQL: one COPY line per row.
    QProcess restore;
    restore.start(QStringLiteral("pg_restore"), {QStringLiteral("--data-only"), QStringLiteral("--table=phone"), QStringLiteral("-f"),
                                                  QStringLiteral("-"), file});
    restore.waitForFinished(60000);
    const QStringList lines = QString::fromUtf8(restore.readAllStandardOutput()).split(QLatin1Char('\n'));
    const int copy = lines.indexOf(QRegularExpression(QStringLiteral("^COPY .*phone .*")));
    for (int i = copy + 1; copy >= 0 && i < lines.size() && lines[i] != QLatin1String("\\."); ++i)
        names << lines[i].section(QLatin1Char('\t'), 1, 1);
    names.sort();
    return names;
}

} // namespace

class BackupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void fileName()
    {
        QCOMPARE(Tbackup::backupFileName(QStringLiteral("/srv/backup"), QStringLiteral("1403/09/15")),
                 QDir::toNativeSeparators(QStringLiteral("/srv/backup/vantu1403_09_15")));
        QCOMPARE(Tbackup::backupFileName(QStringLiteral("/"), QStringLiteral("1399/12/30")),
                 QDir::toNativeSeparators(QStringLiteral("/vantu1399_12_30")));
    }

    void backupReplacedTheSameDay_data() { addEngineRows(); }
    void backupReplacedTheSameDay()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('a','1','')"));
        QTemporaryDir folder;
        Tbackup *w = app::backup;
        selectFolder(w, folder.path());
        w->BitBtn1->click();
        QCOMPARE(fx.ui.messages(), QStringList{Done});
        dates.Init();
        const QString file = Tbackup::backupFileName(folder.path(), dates.ToText());
        QCOMPARE(phoneNamesIn(currentEngine(), file), QStringList{QStringLiteral("a")});

        // The second backup of the day replaces the first, and leaves nothing beside it.
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('b','2','')"));
        w->BitBtn1Click();
        QCOMPARE(fx.ui.messages().last(), Done);
        QCOMPARE(phoneNamesIn(currentEngine(), file), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(file).fileName()});

        // A failing backup says so and keeps the earlier file.
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('c','3','')"));
        if (currentEngine() == Engine::Sqlite) {
            app::dm->ADOConnection1->close();
        } else {
            ConnectionSettings wrong = app::dm->ADOConnection1->settings();
            wrong.schema = QStringLiteral("no_such_schema");
            app::dm->ADOConnection1->setSettings(wrong);
        }
        w->BitBtn1Click();
        QCOMPARE(fx.ui.messages().last(), Failed);
        QCOMPARE(phoneNamesIn(currentEngine(), file), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    }

    void nowhereToWrite()
    {
        AppFixture fx(Engine::Sqlite);
        Tbackup *w = app::backup;
        // No folder chosen: nothing is written at the root.
        w->BitBtn1Click();
        // A folder that is gone by the time of the click.
        QTemporaryDir folder;
        selectFolder(w, folder.path());
        folder.remove();
        w->BitBtn1Click();
        QCOMPARE(fx.ui.messages(), (QStringList{Failed, Failed}));
        dates.Init();
        QVERIFY(!QFile::exists(Tbackup::backupFileName(QStringLiteral("/"), dates.ToText())));
    }
};

QTEST_MAIN(BackupTest)
#include "tst_backup.moc"
