#include "backup_u.h"
#include "core/Controls.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/DataError.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/Program.h"
#include "platform/Query.h"
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSortFilterProxyModel>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The name the backup file and, where no database is named in the
// connection settings, the backed-up database carry.
const QString FixedName = QStringLiteral("vantu");

// Runs the engine's own backup statement on the shared scratch query.
void executeStatement(const QString &statement)
{
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    q.add(statement);
    q.execute();
}

// PostgreSQL has no backup statement: pg_dump writes the file instead, in its
// own archive format, with the connection's values passed in its environment
// (taken literally there, and the password kept off the command line).
void dumpPostgres(const Connection &connection, const QString &file)
{
    const QSqlDatabase db = connection.database();
    const ConnectionSettings &settings = connection.settings();
    QHash<QString, QString> environment{{QStringLiteral("PGDATABASE"), db.databaseName()},
                                        {QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10")}};
    if (!db.hostName().isEmpty())
        environment.insert(QStringLiteral("PGHOST"), db.hostName());
    if (db.port() > 0)
        environment.insert(QStringLiteral("PGPORT"), QString::number(db.port()));
    if (!settings.integratedSecurity) {
        environment.insert(QStringLiteral("PGUSER"), settings.user);
        environment.insert(QStringLiteral("PGPASSWORD"), settings.password);
    }
    QStringList arguments{QStringLiteral("--format=custom"), QStringLiteral("--no-password"), QStringLiteral("--file=") + file};
    if (!settings.schema.isEmpty())
        arguments << QStringLiteral("--schema=\"") + QString(settings.schema).replace(QLatin1Char('"'), QStringLiteral("\"\""))
                         + QLatin1Char('"');
    runProgram(QStringLiteral("pg_dump"), arguments, environment);
}

// Writes the backup of the connected database into `file`.
//
// SQL Server writes it on the server's machine, adding a second backup of
// the same day to the file as a further backup set. The embedded database
// and pg_dump write it here: into a new file beside it first, which replaces
// the day's earlier backup only once it is complete, so a failed backup never
// destroys the last good one. The engine creates that file itself, so it gets
// the permissions the engine gives its files.
void writeBackup(const QString &file)
{
    Connection &connection = *app::dm->ADOConnection1;
    if (connection.engine() == Engine::SqlServer) {
        const QString database = connection.settings().database.isEmpty() ? FixedName : connection.settings().database;
        // The server reports the backup's progress as it goes; however long
        // it takes, the program waits for its end rather than abandon it.
        connection.withoutStatementLimit([&] { executeStatement(connection.dialect().backupStatement(database, file)); });
        return;
    }
    QString part;
    do
        part = file + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    while (QFile::exists(part));
    try {
        if (connection.engine() == Engine::PostgreSql)
            dumpPostgres(connection, part);
        else
            executeStatement(connection.dialect().backupStatement(FixedName, part));
        if (QFile::exists(file) && !QFile::remove(file))
            throw DataError(file);
        if (!QFile::rename(part, file))
            throw DataError(file);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
}

// The folder tree shows one folder at its top, with everything below it:
// the rows of the file-system model outside that folder are left out, except
// its ancestors, through which the view reaches it.
class FolderBranch : public QSortFilterProxyModel {
public:
    FolderBranch(QFileSystemModel *folders, const QString &top, QObject *parent)
        : QSortFilterProxyModel(parent), m_folders(folders), m_top(QDir::cleanPath(top))
    {
        setSourceModel(folders);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const QString path = QDir::cleanPath(m_folders->filePath(m_folders->index(row, 0, parent)));
        return path.compare(m_top, pathCase) == 0 || m_top.startsWith(withSlash(path), pathCase)
               || path.startsWith(withSlash(m_top), pathCase);
    }

private:
    static QString withSlash(const QString &path) { return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'); }
#ifdef Q_OS_WIN
    static constexpr Qt::CaseSensitivity pathCase = Qt::CaseInsensitive;
#else
    static constexpr Qt::CaseSensitivity pathCase = Qt::CaseSensitive;
#endif
    QFileSystemModel *m_folders;
    QString m_top;
};

} // namespace

Tbackup::Tbackup(QWidget *parent) : QDialog(parent)
{
    setUpWindow(this, "backup", QStringLiteral("تهيه پشتيبان"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    resize(322, 368);

    Label1 = named(new QLabel(QStringLiteral("محل فايل پشتيبان را مشخص نماييد:"), this), "Label1");
    Label1->setLayoutDirection(Qt::RightToLeft);

    // Folders only, rooted at the user's desktop folder (the home folder
    // where there is none), which is selected at first; read when shown, not
    // watched for changes.
    QString top = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (top.isEmpty() || !QDir(top).exists())
        top = QDir::homePath();
    m_folders = new QFileSystemModel(this);
    m_folders->setOption(QFileSystemModel::DontWatchForChanges);
    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QString());
    m_branch = new FolderBranch(m_folders, top, this);
    ShellTreeView1 = named(new QTreeView(this), "ShellTreeView1");
    ShellTreeView1->setModel(m_branch);
    ShellTreeView1->setHeaderHidden(true);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        ShellTreeView1->hideColumn(c);
    ShellTreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellTreeView1->setFixedSize(277, 243);
    ShellTreeView1->setRootIndex(m_branch->mapFromSource(m_folders->index(top).parent()));
    selectFolder(top);
    ShellTreeView1->expand(ShellTreeView1->currentIndex());

    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("ايجاد فايل"), this),
                    "BitBtn1");
    BitBtn1->setAutoDefault(false);
    BitBtn1->setFixedSize(81, 33);
    BitBtn1->setFocus(Qt::OtherFocusReason);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ShellTreeView1, 0, Qt::AlignHCenter);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

QString Tbackup::selectedFolder() const
{
    const QModelIndexList selected = ShellTreeView1->selectionModel()->selectedRows();
    return selected.isEmpty() ? QString() : m_folders->filePath(m_branch->mapToSource(selected.first()));
}

bool Tbackup::selectFolder(const QString &path)
{
    const QModelIndex index = m_branch->mapFromSource(m_folders->index(path));
    if (!index.isValid())
        return false;
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
    return true;
}

QString Tbackup::backupFileName(const QString &folder, const QString &date)
{
    const QString name = FixedName + date.mid(0, 4) + QLatin1Char('_') + date.mid(5, 2) + QLatin1Char('_') + date.mid(8, 2);
    return QDir::toNativeSeparators(QDir(folder).filePath(name));
}

void Tbackup::BitBtn1Click()
{
    try {
        dates.Init();
        const QString date = dates.ToText();
        // Without a chosen folder there is no place to write to: the name
        // would land at the root of the drive.
        const QString folder = selectedFolder();
        if (folder.isEmpty())
            throw DataError(QStringLiteral("no folder"));
        writeBackup(backupFileName(folder, date));
    } catch (const std::exception &) {
        showMessage(QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد"));
        return;
    }
    showMessage(QStringLiteral("فايل پشتيبان تهيه شد"));
}
