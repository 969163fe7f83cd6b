// Attachments: the opening after the rights gate, storing a chosen file with
// its checks, viewing a stored file through the temporary folder, and
// deleting; on every engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "office/zamaem_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Dialect.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Logo = QStringLiteral("آرم");
const QString Stored = QStringLiteral("ثبت شد");
const QString Duplicate = QStringLiteral("شرح ضميمه تكراري است");
const QString NoDescription = QStringLiteral("خطا، ابتدا شرح ضميمه را وارد نماييد");

QByteArray everyByte()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write a test file");
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

// Stores a row as another workstation might have, whatever its extension.
void storeRow(const QString &description, const QString &extension, const QByteArray &content)
{
    Query q(app::dm->ADOConnection1, QStringLiteral("probe"));
    q.add(QStringLiteral("select * from zamaem"));
    q.open();
    q.append();
    q.field(QStringLiteral("cmt")).setText(description);
    q.field(QStringLiteral("pictype")).setText(extension);
    q.field(QStringLiteral("pic")).setBytes(content);
    q.post();
}

// "description|password|extension|size" of every stored file, in id order.
QStringList rows()
{
    Query q(app::dm->ADOConnection1, QStringLiteral("probe"));
    q.add(QStringLiteral("select * from zamaem order by id"));
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << QStringList{q.field(QStringLiteral("cmt")).asString(), q.field(QStringLiteral("ramz")).asString(),
                           q.field(QStringLiteral("pictype")).asString(),
                           QString::number(q.field(QStringLiteral("pic")).asBytes().size())}
                   .join(QLatin1Char('|'));
    return out;
}

// Adds a file (none: the file dialog is cancelled) under this description,
// as the add button does; what the window said.
QStringList add(AppFixture &fx, Tzamaem *w, const QString &description, const QString &file)
{
    w->Combo_type->setText(description);
    fx.ui.reset();
    if (!file.isEmpty())
        fx.ui.fileAnswers << file;
    w->ins_btn->click();
    return fx.ui.messages();
}

// Clicks the grid's row, which makes it current and views its file.
void view(Tzamaem *w, int row)
{
    w->DBGrid1->setCurrentIndex(w->DBGrid1->model()->index(row, 1));
    Q_EMIT w->DBGrid1->cellClicked(row, 1);
}

} // namespace

class ZamaemTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        installFontSubstitutions();
        // The viewed files go to a temporary folder of this run.
        QVERIFY(m_temp.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
        QCOMPARE(QDir::tempPath(), QDir(m_temp.path()).canonicalPath());
    }

    void openingStoringAndViewing_data() { addEngineRows(); }
    void openingStoringAndViewing()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
        const Dialect &d = Dialect::of(currentEngine());
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (2,'zamaem',%1,%2,%2,%1)")
                    .arg(d.bitLiteral(true), d.bitLiteral(false)));
        fx.setCurrentUser(QStringLiteral("2"), QStringLiteral("ali"));
        Tzamaem *w = app::zamaem;
        QCOMPARE(w->windowTitle(), QStringLiteral("ضمائم"));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        w->Combo_type->setCurrentIndex(0);
        w->ramz->setText(QStringLiteral("old"));
        app::main->N12->trigger();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).size(), 1);
        QCOMPARE(w->Combo_type->currentIndex(), -1);
        QCOMPARE(w->ramz->text(), QString());
        QVERIFY(w->ins_btn->isEnabled());
        QVERIFY(!w->N1->isEnabled());
        QVERIFY(!app::dm->ADOQ_zamaem->isOpen()); // opening runs no statement

        // A binary file with a password; the extension as the name spells it.
        const QString file = writeFile(m_temp.filePath(QStringLiteral("لوگو اداره.JPG")), everyByte());
        w->ramz->setText(QStringLiteral("رمز '۱'"));
        QCOMPARE(add(fx, w, Logo, file), QStringList{Stored});
        QCOMPARE(rows(), QStringList{Logo + QStringLiteral("|رمز '۱'|.JPG|256")});
        QCOMPARE(app::dm->ADOQ_zamaem->text(), QStringLiteral("select * from zamaem "));
        QCOMPARE(app::dm->ADOQ_zamaem->recordCount(), 1);
        QCOMPARE(w->Combo_type->text(), Logo);
        QCOMPARE(w->ramz->text(), QStringLiteral("رمز '۱'"));

        // Viewing writes the bytes to the temporary folder and opens them there;
        // the stored password is not asked for.
        fx.ui.reset();
        view(w, 0);
        const QString viewed = QDir::temp().filePath(QStringLiteral("Quellarindo.JPG"));
        QCOMPARE(fx.ui.callsOf(QStringLiteral("open")).size(), 1);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("open")).first().text, viewed);
        QCOMPARE(readFile(viewed), everyByte());
        QVERIFY(fx.ui.callsOf(QStringLiteral("input")).isEmpty());
        QVERIFY(fx.ui.messages().isEmpty());

        // When no program takes the file, the error box says so and where it is.
        fx.ui.reset();
        fx.ui.refuseOpening = true;
        view(w, 0);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("message")).size(), 1);
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.last().text.contains(QStringLiteral("برنامه اي براي باز کردن اين ضميمه پيدا نشد")));
        QVERIFY(fx.ui.calls.last().text.contains(leftToRightPath(viewed)));
        QCOMPARE(readFile(viewed), everyByte());

        // The viewed file cannot be written (a folder holds its name): the
        // error box says so in Persian and names it; nothing is opened.
        QFile::remove(viewed);
        QVERIFY(QDir::temp().mkdir(QStringLiteral("Quellarindo.JPG")));
        fx.ui.reset();
        view(w, 0);
        QDir::temp().rmdir(QStringLiteral("Quellarindo.JPG"));
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.first().text.startsWith(QStringLiteral("فايل در اين مسير ذخيره نشد:")));
        QVERIFY(fx.ui.calls.first().text.contains(leftToRightPath(viewed)));
    }

    // Every check runs and is reported, the file is still asked for, and
    // nothing is stored after a failed one.
    void failedChecksStoreNothing_data() { addEngineRows(); }
    void failedChecksStoreNothing()
    {
        AppFixture fx(currentEngine());
        Tzamaem *w = app::zamaem;
        const QString file = writeFile(m_temp.filePath(QStringLiteral("a.png")), "png");
        storeRow(Logo, QStringLiteral(".gif"), "gif");

        QCOMPARE(add(fx, w, Logo, file), QStringList{Duplicate});
        QCOMPARE(fx.ui.callsOf(QStringLiteral("openFile")).size(), 1);
        QCOMPARE(rows().size(), 1);
        QCOMPARE(app::dm->ADOQ_zamaem->recordCount(), 1); // the grid shows the duplicate

        QCOMPARE(add(fx, w, QString(), file), QStringList{NoDescription});
        QCOMPARE(fx.ui.callsOf(QStringLiteral("openFile")).size(), 1);
        QCOMPARE(app::dm->ADOQ_zamaem->recordCount(), 0);

        // A stored row without a description fails both checks.
        storeRow(QStringLiteral(""), QString(), "x");
        QCOMPARE(add(fx, w, QString(), file), (QStringList{Duplicate, NoDescription}));
        QCOMPARE(rows().size(), 2);

        // A cancelled file dialog stores nothing and says nothing.
        fx.exec(QStringLiteral("delete from zamaem"));
        QCOMPARE(add(fx, w, Logo, QString()), QStringList());
        QCOMPARE(rows(), QStringList());

        // A file that cannot be read is reported and leaves the query browsing.
        add(fx, w, Logo, m_temp.filePath(QStringLiteral("missing.txt")));
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.last().text.startsWith(QStringLiteral("فايل در اين مسير خوانده نشد:")));
        QVERIFY(fx.ui.calls.last().text.contains(leftToRightPath(m_temp.filePath(QStringLiteral("missing.txt")))));
        QCOMPARE(rows(), QStringList());
        QCOMPARE(app::dm->ADOQ_zamaem->state(), Query::State::Browse);
    }

    void extensionsAndTheViewedFile_data() { addEngineRows(); }
    void extensionsAndTheViewedFile()
    {
        AppFixture fx(currentEngine());
        Tzamaem *w = app::zamaem;
        // An extension longer than the five characters stored, dot
        // included, is refused: cut short, the file could never be opened.
        QDir(m_temp.path()).mkpath(QStringLiteral("dir.v2"));
        QCOMPARE(add(fx, w, Logo, writeFile(m_temp.filePath(QStringLiteral("dir.v2/budget.accdb")), "x")),
                 QStringList{QStringLiteral("خطا، پسوند فايل بيش از پنج حرف است و قابل ثبت نيست")});
        QCOMPARE(fx.value(QStringLiteral("select count(*) from zamaem")), QStringLiteral("0"));
        add(fx, w, Logo, writeFile(m_temp.filePath(QStringLiteral("dir.v2/report.back")), "x"));
        QCOMPARE(rows(), QStringList{Logo + QStringLiteral("||.back|1")});

        // No extension, a stored extension that would leave the folder, two of one extension.
        storeRow(QStringLiteral("b"), QString(), "plain");
        storeRow(QStringLiteral("c"), QStringLiteral("/../x"), "up");
        storeRow(QStringLiteral("d"), QStringLiteral(".back"), "second");
        QCOMPARE(app::dm->ADOQ_zamaem->recordCount(), 1);
        app::dm->ADOQ_zamaem->close();
        app::dm->ADOQ_zamaem->open();
        fx.ui.reset();
        for (int row = 0; row < 4; ++row)
            view(w, row);
        QStringList opened;
        for (const auto &call : fx.ui.callsOf(QStringLiteral("open")))
            opened << QFileInfo(call.text).fileName();
        QCOMPARE(opened, (QStringList{QStringLiteral("Quellarindo.back"), QStringLiteral("Quellarindo"), QStringLiteral("Quellarindo..x"),
                                      QStringLiteral("Quellarindo.back")}));
        for (const auto &call : fx.ui.callsOf(QStringLiteral("open")))
            QCOMPARE(QFileInfo(call.text).absolutePath(), QDir::tempPath());
        QCOMPARE(readFile(QDir::temp().filePath(QStringLiteral("Quellarindo"))), QByteArray("plain"));
        QCOMPARE(readFile(QDir::temp().filePath(QStringLiteral("Quellarindo.back"))), QByteArray("second"));
    }

    void deleting_data() { addEngineRows(); }
    void deleting()
    {
        AppFixture fx(currentEngine());
        Tzamaem *w = app::zamaem;
        storeRow(QStringLiteral("a"), QStringLiteral(".a"), "a");
        storeRow(QStringLiteral("b"), QStringLiteral(".b"), "b");
        // Before any statement of the window the grid is empty: nothing to delete.
        w->N1->trigger();
        QVERIFY(fx.ui.calls.isEmpty());
        QCOMPARE(rows().size(), 2);

        app::dm->ADOQ_zamaem->open();
        app::dm->ADOQ_zamaem->last();
        w->N1->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("حذف شد")});
        QCOMPARE(rows(), QStringList{QStringLiteral("a||.a|1")});
        QCOMPARE(app::dm->ADOQ_zamaem->text(), QStringLiteral("select * from zamaem "));
        QCOMPARE(app::dm->ADOQ_zamaem->recordCount(), 1);
    }

private:
    QTemporaryDir m_temp;
};

QTEST_MAIN(ZamaemTest)
#include "tst_zamaem.moc"
