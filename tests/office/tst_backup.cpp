// The backup window: the file name, the folder tree rooted at the desktop, a
// backup on each engine read back with the engine's own tools and with the
// permissions of a new file, a second backup of the same day, and the failure
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
#include <sys/stat.h>

namespace {

const QString Done = QStringLiteral("فايل پشتيبان تهيه شد");
const QString Failed = QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد");

void selectFolder(Tbackup *w, const QString &path)
{
    QVERIFY(w->selectFolder(path));
    QCOMPARE(w->selectedFolder(), path);
}

// The folders the tree shows directly under `index`.
QStringList shownFolders(QTreeView *tree, const QModelIndex &index)
{
    QStringList names;
    for (int r = 0; r < tree->model()->rowCount(index); ++r)
        names << tree->model()->index(r, 0, index).data().toString();
    return names;
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
    // The user's home is a folder of the test's own with a desktop folder,
    // so that the tree is rooted there and no backup reaches the real desktop.
    void initTestCase()
    {
        installFontSubstitutions();
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Desktop/backups")));
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Documents")));
    }

    void treeRootedAtTheDesktop()
    {
        AppFixture fx(Engine::Sqlite);
        Tbackup *w = app::backup;
        const QString desktop = m_home.filePath(QStringLiteral("Desktop"));
        QCOMPARE(w->selectedFolder(), desktop);
        QTreeView *tree = w->ShellTreeView1;
        QCOMPARE(shownFolders(tree, tree->rootIndex()), QStringList{QStringLiteral("Desktop")});
        w->show();
        QVERIFY(tree->visualRect(tree->currentIndex()).intersects(tree->viewport()->rect()));
        QTRY_COMPARE(shownFolders(tree, tree->currentIndex()), QStringList{QStringLiteral("backups")});
        // Folders outside the desktop are not offered.
        QVERIFY(!w->selectFolder(m_home.filePath(QStringLiteral("Documents"))));
        QCOMPARE(w->selectedFolder(), desktop);
    }
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
        QTemporaryDir folder(m_home.filePath(QStringLiteral("Desktop/XXXXXX")));
        Tbackup *w = app::backup;
        selectFolder(w, folder.path());
        const mode_t mask = umask(022);
        w->BitBtn1->click();
        umask(mask);
        QCOMPARE(fx.ui.messages(), QStringList{Done});
        dates.Init();
        const QString file = Tbackup::backupFileName(folder.path(), dates.ToText());
        QCOMPARE(phoneNamesIn(currentEngine(), file), QStringList{QStringLiteral("a")});
        // Readable by the group and others as any new file, not owner-only.
        QVERIFY(QFileInfo(file).permissions().testFlag(QFileDevice::ReadGroup));
        QVERIFY(QFileInfo(file).permissions().testFlag(QFileDevice::ReadOther));

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
        w->ShellTreeView1->selectionModel()->clear();
        w->BitBtn1Click();
        // A folder that is gone by the time of the click.
        QTemporaryDir folder(m_home.filePath(QStringLiteral("Desktop/XXXXXX")));
        selectFolder(w, folder.path());
        folder.remove();
        w->BitBtn1Click();
        QCOMPARE(fx.ui.messages(), (QStringList{Failed, Failed}));
        dates.Init();
        QVERIFY(!QFile::exists(Tbackup::backupFileName(QStringLiteral("/"), dates.ToText())));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(BackupTest)
#include "tst_backup.moc"
