#include "TestSupport.h"
#include "admin/users_u.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/firstrun.h"
#include "core/schema.h"
#include "platform/DataError.h"
#include "platform/Query.h"
#include "platform/ComboBox.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtGlobal>

namespace {

ConnectionSettings serverSettings()
{
    ConnectionSettings s;
    s.engine = Engine::PostgreSql;
    const QString server = qEnvironmentVariable("KAVRIN_TEST_PG");
    for (const QString &part : server.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = part.section(QLatin1Char('='), 1).trimmed();
        if (key == QLatin1String("host")) s.server = value + s.server;
        else if (key == QLatin1String("port")) s.server += QLatin1Char(':') + value;
        else if (key == QLatin1String("user")) s.user = value;
        else if (key == QLatin1String("password")) s.password = value;
        else if (key == QLatin1String("dbname")) s.database = value;
    }
    return s;
}

int schemaCounter = 0;

} // namespace

QList<Engine> testEngines()
{
    QList<Engine> engines{Engine::Sqlite};
    if (!qEnvironmentVariableIsEmpty("KAVRIN_TEST_PG"))
        engines << Engine::PostgreSql;
    return engines;
}

void addEngineRows()
{
    QTest::addColumn<int>("engine");
    for (Engine e : testEngines())
        QTest::newRow(e == Engine::Sqlite ? "sqlite" : "postgres") << int(e);
}

Engine currentEngine()
{
    return Engine(*static_cast<int *>(QTest::qData("engine", QMetaType::Int)));
}

TestDatabase::TestDatabase(Engine engine)
{
    if (engine == Engine::Sqlite) {
        m_settings.engine = Engine::Sqlite;
        m_settings.database = m_dir.filePath(QStringLiteral("test.sqlite"));
        const QString name = QStringLiteral("create-%1").arg(quintptr(this));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_settings.database);
            if (!db.open())
                qFatal("cannot create the SQLite test database");
        }
        QSqlDatabase::removeDatabase(name);
        return;
    }
    m_settings = serverSettings();
    m_settings.schema = QStringLiteral("t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++schemaCounter);
    Connection admin;
    ConnectionSettings plain = m_settings;
    plain.schema.clear();
    admin.setSettings(plain);
    admin.open();
    QSqlQuery q(admin.database());
    if (!q.exec(QStringLiteral("CREATE SCHEMA ") + m_settings.schema))
        qFatal("cannot create the PostgreSQL test schema: %s", qPrintable(q.lastError().text()));
}

TestDatabase::~TestDatabase()
{
    if (m_settings.engine != Engine::PostgreSql)
        return;
    Connection admin;
    ConnectionSettings plain = m_settings;
    plain.schema.clear();
    admin.setSettings(plain);
    try {
        admin.open();
        QSqlQuery q(admin.database());
        q.exec(QStringLiteral("DROP SCHEMA ") + m_settings.schema + QStringLiteral(" CASCADE"));
    } catch (const DataError &) {
    }
}

std::unique_ptr<Connection> TestDatabase::connect() const
{
    auto c = std::make_unique<Connection>();
    c->setSettings(m_settings);
    c->open();
    return c;
}

SchemaDatabase::SchemaDatabase(Engine engine) : database(engine), conn(database.connect())
{
    Query q(conn.get(), QStringLiteral("schema"));
    runSchemaBlocks(q);
}

void SchemaDatabase::run(const QString &sql)
{
    Query q(conn.get(), QStringLiteral("q"));
    q.add(sql);
    q.execute();
}

AppFixture::AppFixture(Engine engine, bool prepared) : database(engine)
{
    app::createAll();
    app::dm->ADOConnection1->setSettings(database.settings());
    app::dm->ADOConnection1->open();
    if (prepared)
        prepareDatabase(*app::dm->ADOConnection1, QString());
    m_side = database.connect();
}

AppFixture::~AppFixture()
{
    m_side.reset();
    app::destroyAll();
}

QStringList AppFixture::column(const QString &sql)
{
    QSqlQuery q(m_side->database());
    if (!q.exec(sql))
        throw DataError(q.lastError().text());
    QStringList out;
    while (q.next())
        out << Query::displayText(q.value(0), ColumnKind::Text);
    return out;
}

void AppFixture::exec(const QString &sql)
{
    QSqlQuery q(m_side->database());
    if (!q.exec(sql))
        throw DataError(q.lastError().text());
}

void AppFixture::setCurrentUser(const QString &id, const QString &name)
{
    app::users->prs_id->setText(id);
    app::users->karbar->setText(name);
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void checkFoldedSearch(const std::function<int(const QString &stored, const QString &typed)> &search)
{
    struct Case {
        QString stored;
        QString typed;
        int found;
    };
    QList<Case> cases;
    // Each form of kaf, yeh and the ten digits stored, each form typed.
    const QList<QStringList> forms{{QStringLiteral("ك"), QStringLiteral("ک")},
                                   {QStringLiteral("ي"), QStringLiteral("ى"), QStringLiteral("ی")},
                                   {QStringLiteral("0123456789"), QStringLiteral("۰۱۲۳۴۵۶۷۸۹"), QStringLiteral("٠١٢٣٤٥٦٧٨٩")}};
    for (const QStringList &letter : forms)
        for (const QString &stored : letter)
            for (const QString &typed : letter)
                cases << Case{QStringLiteral("الف ") + stored, typed, 1};
    const struct {
        const char *stored;
        const char *typed;
        int found;
    } fixed[] = {
        {"كاظمي", "کاظمی", 1},          // Arabic kaf and yeh stored, Persian typed
        {"تعمیرگاه مرکزی", "مركز", 1},  // Persian stored, Arabic typed
        {"موسى", "موسی", 1},            // alef maksura
        {"Zed", "zed", 1},
        {"zed", "ZE", 1},
        {"کاظمی", "کاظمو", 0},
        {"كاظمو", "کاظمی", 0},          // the kaf alone does not decide
        {"كوكب", "کوك", 1},             // two kafs, each in its other form
        {"پژو 405", "۴۰۵", 1},          // ASCII digits stored, Persian typed
        {"پلاک ٤٥", "45", 1},           // Arabic-Indic stored, ASCII typed
        {"پژو ۴۰۵", "406", 0},
        {"a\\b", "a\\b", 1},            // a backslash is itself
        {"ab", "a\\b", 0},
        {"100%", "\\", 0},
        {"12 ب ۳4٥ ايران 67", "ب 345", 1}, // letters and digits, each digit in its own form
        {"اراک، كوچه ۲5", "کوچه 25", 1},
        {"کوچه 2۶، ب 25", "کوچه 25", 0},
        {"ب 9 ب ١٢٣", "ب 123", 1},         // found at its second place
        {"١٢ ب 3۴٥ ايران", "12 ب 345", 1}, // more combinations of forms than are sought one by one
        {"12 ب 346 ايران", "12 ب 345", 0},
        {"پژو ۴۰۵ Glx", "پژو 405 gLX", 1}, // Latin letters in either case beside Persian ones and digits
        {"پژو ٤٠٥ GLI", "پژو 405 GLX", 0},
    };
    for (const auto &c : fixed)
        cases << Case{QString::fromUtf8(c.stored), QString::fromUtf8(c.typed), c.found};
    for (const Case &c : cases) {
        const int found = search(c.stored, c.typed);
        if (found != c.found)
            QFAIL(qPrintable(QStringLiteral("'%1' searched as '%2': %3 rows found").arg(c.stored, c.typed).arg(found)));
    }
}

void checkFoldedFilter(AppFixture &fx, const QString &table, const QString &insert, QCheckBox *box, QWidget *field,
                       QAbstractButton *search, const Query &rows)
{
    checkFoldedSearch([&](const QString &stored, const QString &typed) {
        fx.exec(QStringLiteral("delete from ") + table);
        fx.exec(insert.arg(stored));
        switchFilterOn(box, field, typed);
        search->click();
        return rows.recordCount();
    });
}

QString sharedDataFile(const QString &name)
{
    QString dir = qEnvironmentVariable("KAVRIN_SHARED_DATA");
    if (dir.isEmpty())
        dir = QStringLiteral("../shared/data");
    return dir + QLatin1Char('/') + name;
}

QStringList columnValues(const Query &rows, const QString &field)
{
    QStringList out;
    const int c = rows.columnIndex(field);
    for (int r = 0; r < rows.recordCount(); ++r)
        out << rows.textAt(r, c);
    return out;
}

int gridColumnOf(const QList<GridColumn> &columns, const QString &field)
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field == field)
            return i;
    return -1;
}

void clickGridTitle(DbGrid *grid, int column)
{
    Q_EMIT grid->horizontalHeader()->sectionClicked(column);
}

bool gridTitleBold(DbGrid *grid, int column)
{
    return grid->model()->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
}

void switchFilterOn(QCheckBox *box, QWidget *field, const QString &text)
{
    box->setChecked(true);
    if (auto *combo = qobject_cast<ComboBox *>(field))
        combo->setText(text);
    else
        static_cast<QLineEdit *>(field)->setText(text);
}

QString filledTo(int length, const QString &pattern)
{
    QString out;
    while (out.size() < length)
        out += pattern;
    out.truncate(length);
    return out.endsWith(QLatin1Char(' ')) ? out.left(length - 1) + QStringLiteral("ی") : out;
}

QList<QList<Word>> pdfWords(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    static const QRegularExpression item(QString::fromLatin1(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
    QList<QList<Word>> pages;
    const double mm = 25.4 / 72;
    for (const QRegularExpressionMatch &m : item.globalMatch(QString::fromUtf8(p.readAllStandardOutput()))) {
        if (m.captured(1).isEmpty())
            pages.append(QList<Word>());
        else
            pages.last().append({QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                                        QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm)),
                                 m.captured(5)});
    }
    return pages;
}
