// The electronic file of a person: descriptions, upload through the staging
// table, write-back under the chosen name, deletion under the password, and
// uploads from two workstations at once; on every engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "personnel/PERSONEL_PIC_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Query.h"
#include "platform/Shape.h"
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString descriptionList = QStringLiteral("شرح پرونده الکترونيک پرسنل");
const QString passwordList = QStringLiteral("رمز حذف");
const QString failedText = QStringLiteral("خطايي در ثبت رخ داده است!");
const QString noDescriptionText = QStringLiteral("خطا! ابتدا شرح ضميمه را مشخص نماييد");
const QString deletedText = QStringLiteral("حذف شد");
const QString wrongPasswordText = QStringLiteral("رمز حذف اشتباه بود");

// Bytes no text conversion survives: NUL, high bytes, a line break.
QByteArray binaryContent(char tag, int size = 3000)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes += char((i * 37 + tag) & 0xff);
    bytes[0] = tag;
    bytes[1] = '\0';
    bytes[2] = '\n';
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The stored documents, in id order: person, description, extension, bytes.
struct Document {
    qint64 person;
    QString cmt;
    QString pictyp;
    QByteArray pic;
};

QList<Document> documents()
{
    Query q(app::dm->ADOConnection1, QStringLiteral("check"));
    q.add(QStringLiteral("select * from personel_pic order by id"));
    q.open();
    QList<Document> out;
    for (q.first(); !q.eof(); q.next())
        out << Document{q.field(QStringLiteral("personel_id")).asInteger(), q.field(QStringLiteral("cmt")).asString(),
                        q.field(QStringLiteral("pictyp")).asString(), q.field(QStringLiteral("pic")).asBytes()};
    return out;
}

} // namespace

class PersonelPicTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    TPERSONEL_PIC *w = nullptr;
    qint64 m_first = 0;
    qint64 m_second = 0;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Two persons; the list's current row on the first, the window prepared
    // for that person as the list prepares it.
    void prepare(AppFixture &fx)
    {
        fx.exec(QStringLiteral("insert into personel (fname,lname,ostan,shahrestan) values ('علي','احمدي','فارس','شيراز')"));
        fx.exec(QStringLiteral("insert into personel (fname,lname,ostan,shahrestan) values ('رضا','کريمي','فارس','مرودشت')"));
        const QStringList ids = fx.column(QStringLiteral("select id from personel order by id"));
        m_first = ids.at(0).toLongLong();
        m_second = ids.at(1).toLongLong();
        Query &persons = *app::dm->ADOQ_personel;
        persons.clear();
        persons.add(QStringLiteral("select * from personel where id<>-1 "));
        persons.open();
        persons.setSort(QStringLiteral("id ASC"));
        persons.setRecNo(1);
        showDocumentsOf(m_first);
        w = app::PERSONEL_PIC;
        w->cmt->setText(QString());
        w->Shape1->setBrushColor(Qt::red);
    }

    void showDocumentsOf(qint64 person)
    {
        Query &docs = *app::dm->ADOQ_personel_pic;
        docs.clear();
        docs.add(QStringLiteral("select * from personel_pic where id<>-1 "));
        docs.add(QStringLiteral(" and personel_id=") + QStringLiteral("'%1'").arg(person));
        docs.open();
    }

    void upload(AppFixture &fx, const QString &description, const QString &file)
    {
        w->cmt->setText(description);
        fx.ui.fileAnswers.enqueue(file);
        w->ins_btn->click();
    }

    // Clicks a data cell of the grid, as the user does.
    void clickRow(int row)
    {
        const QModelIndex index = w->DBGrid1->model()->index(row, 1);
        Q_EMIT w->DBGrid1->clicked(index);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void descriptionsSortedOnEveryShowing_data() { addEngineRows(); }
    void descriptionsSortedOnEveryShowing()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        for (const char *item : {"کارت ملي", "اجاره نامه", "گواهينامه", "بيمه"})
            fx.exec(QStringLiteral("insert into setting (component,cmt) values ('%1','%2')").arg(descriptionList, QString::fromUtf8(item)));
        w->cmt->setText(QStringLiteral("متن تايپ شده"));
        w->FormShow();
        QStringList items;
        for (int i = 0; i < w->cmt->count(); ++i)
            items << w->cmt->itemText(i);
        QCOMPARE(items, (QStringList{QStringLiteral("اجاره نامه"), QStringLiteral("بيمه"), QStringLiteral("کارت ملي"),
                                     QStringLiteral("گواهينامه")}));
        QCOMPARE(w->cmt->text(), QStringLiteral("متن تايپ شده"));
        // The next showing reads the list again.
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('%1','%2')").arg(descriptionList, QStringLiteral("آدرس")));
        w->FormShow();
        QCOMPARE(w->cmt->count(), 5);
        QCOMPARE(w->cmt->itemText(0), QStringLiteral("آدرس"));
    }

    void uploadAndWriteBack_data() { addEngineRows(); }
    void uploadAndWriteBack()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        const QByteArray archive = binaryContent('a');
        writeFile(path(QStringLiteral("a.tar.gz")), archive);
        writeFile(path(QStringLiteral("README")), binaryContent('r', 10));

        // No description, or blanks only: refused before any dialog. A
        // cancelled dialog: nothing.
        w->cmt->setText(QStringLiteral("  "));
        w->ins_btnClick();
        QCOMPARE(fx.ui.messages(), QStringList{noDescriptionText});
        QVERIFY(fx.ui.callsOf(QStringLiteral("openFile")).isEmpty());
        fx.ui.reset();
        w->cmt->setText(QString());
        w->ins_btnClick();
        QCOMPARE(fx.ui.messages(), QStringList{noDescriptionText});
        QVERIFY(fx.ui.callsOf(QStringLiteral("openFile")).isEmpty());
        w->cmt->setText(QStringLiteral("مدارک"));
        w->ins_btnClick();
        QCOMPARE(fx.ui.messages().size(), 1);
        QCOMPARE(w->Shape1->brushColor(), QColor(Qt::red));
        QVERIFY(documents().isEmpty());

        upload(fx, QStringLiteral("مدارک"), path(QStringLiteral("a.tar.gz")));
        QCOMPARE(w->Shape1->brushColor(), QColor(Qt::green));
        upload(fx, QStringLiteral("مدارک"), path(QStringLiteral("a.tar.gz")));
        upload(fx, QStringLiteral("بدون پسوند"), path(QStringLiteral("README")));
        QCOMPARE(fx.ui.messages().size(), 1);
        QCOMPARE(w->cmt->text(), QStringLiteral("بدون پسوند"));
        const QList<Document> docs = documents();
        QCOMPARE(docs.size(), 3);
        QCOMPARE(docs[0].person, m_first);
        QCOMPARE(docs[0].cmt, QStringLiteral("مدارک"));
        QCOMPARE(docs[0].pictyp, QStringLiteral(".gz"));
        QCOMPARE(docs[0].pic, archive);
        QCOMPARE(docs[1].pic, archive);
        QCOMPARE(docs[2].pictyp, QString());
        QCOMPARE(app::dm->ADOQ_personel_pic->recordCount(), 3);
        QCOMPARE(fx.column(QStringLiteral("select count(*) from new_pic")), QStringList{QStringLiteral("0")});

        // Write-back: the description proposed, the extension appended even
        // when the chosen name ends with it, the file opened when asked.
        QFile::remove(path(QStringLiteral("back.gz.gz"))); // left by the run on another engine
        fx.ui.fileAnswers.enqueue(path(QStringLiteral("back.gz")));
        clickRow(0);
        const auto saves = fx.ui.callsOf(QStringLiteral("saveFile"));
        QCOMPARE(saves.size(), 1);
        QCOMPARE(saves[0].extra, QStringLiteral("مدارک"));
        QCOMPARE(readFile(path(QStringLiteral("back.gz.gz"))), archive);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("open")).size(), 1);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("open"))[0].text, path(QStringLiteral("back.gz.gz")));

        // An existing file is overwritten; no extension: exactly the chosen name.
        w->CheckBox1->setChecked(false);
        writeFile(path(QStringLiteral("plain")), QByteArray(10000, 'x'));
        fx.ui.fileAnswers.enqueue(path(QStringLiteral("plain")));
        clickRow(2);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("saveFile"))[1].extra, QStringLiteral("بدون پسوند"));
        QCOMPARE(readFile(path(QStringLiteral("plain"))), binaryContent('r', 10));
        QCOMPARE(fx.ui.callsOf(QStringLiteral("open")).size(), 1);

        // A cancelled save dialog writes nothing.
        clickRow(1);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("saveFile")).size(), 3);
        QCOMPARE(fx.ui.messages().size(), 1);

        // Written, but no program takes it: the error box says where it is.
        w->CheckBox1->setChecked(true);
        fx.ui.refuseOpening = true;
        fx.ui.fileAnswers.enqueue(path(QStringLiteral("kept")));
        clickRow(2);
        QCOMPARE(readFile(path(QStringLiteral("kept"))), binaryContent('r', 10));
        QCOMPARE(fx.ui.messages().size(), 2);
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.last().text.contains(leftToRightPath(path(QStringLiteral("kept")))));
    }

    // The final name exists although the dialog saw only the chosen one:
    // asked first; No (or closing the box) writes nothing, Yes replaces it.
    // The name the dialog itself asked about is not asked again.
    void writeBackAsksBeforeReplacing_data() { addEngineRows(); }
    void writeBackAsksBeforeReplacing()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        w->CheckBox1->setChecked(false);
        writeFile(path(QStringLiteral("r.pdf")), "new");
        upload(fx, QStringLiteral("نامه"), path(QStringLiteral("r.pdf")));
        const QString target = path(QStringLiteral("old.pdf"));
        const QString question = QStringLiteral("فايلي با نام ") + target + QStringLiteral(" وجود دارد. آيا جايگزين شود؟");
        writeFile(target, "older");
        fx.ui.fileAnswers << path(QStringLiteral("old")) << path(QStringLiteral("old"));
        fx.ui.buttonAnswers << Platform::Button::No;
        clickRow(0);
        clickRow(0);
        QCOMPARE(readFile(target), QByteArray("older"));
        QCOMPARE(fx.ui.messages(), (QStringList{question, question}));
        fx.ui.fileAnswers << path(QStringLiteral("old"));
        fx.ui.buttonAnswers << Platform::Button::Yes;
        clickRow(0);
        QCOMPARE(readFile(target), QByteArray("new"));
        QCOMPARE(fx.ui.messages().size(), 3);

        fx.exec(QStringLiteral("update personel_pic set pictyp=''"));
        showDocumentsOf(m_first);
        fx.ui.fileAnswers << target;
        clickRow(0);
        QCOMPARE(fx.ui.messages().size(), 3);
        QCOMPARE(readFile(target), QByteArray("new"));
    }

    // A stored extension is cut down to letters, digits and dots before it
    // ends a file name, so it cannot lead the file out of the chosen folder.
    void writeBackKeepsExtensionSafe_data() { addEngineRows(); }
    void writeBackKeepsExtensionSafe()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        writeFile(path(QStringLiteral("x.jpg.exe")), "MZ");
        upload(fx, QStringLiteral("برنامه"), path(QStringLiteral("x.jpg.exe")));
        fx.exec(QStringLiteral("insert into personel_pic (personel_id,cmt,pictyp) values (%1,'doc','/../a')").arg(m_first));
        showDocumentsOf(m_first);
        QCOMPARE(documents()[0].pictyp, QStringLiteral(".exe"));

        QDir(m_dir.path()).mkdir(QStringLiteral("inner"));
        w->CheckBox1->setChecked(false);
        fx.ui.fileAnswers.enqueue(path(QStringLiteral("inner/x.jpg")));
        clickRow(0);
        QCOMPARE(readFile(path(QStringLiteral("inner/x.jpg.exe"))), QByteArray("MZ"));
        fx.ui.fileAnswers.enqueue(path(QStringLiteral("inner/doc")));
        clickRow(1);
        QVERIFY(QFile::exists(path(QStringLiteral("inner/doc..a"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("a"))));
        QCOMPARE(TPERSONEL_PIC::safeExtension(QStringLiteral(".p\\d:f*?\"<>|")), QStringLiteral(".pdf"));
        QCOMPARE(TPERSONEL_PIC::safeExtension(QStringLiteral(".جpg")), QStringLiteral(".جpg"));

        // A folder that is not there: the error box says in Persian that the
        // file was not saved, and where.
        const qsizetype earlier = fx.ui.callsOf(QStringLiteral("message")).size();
        fx.ui.fileAnswers.enqueue(path(QStringLiteral("missing/x")));
        clickRow(0);
        const auto boxes = fx.ui.callsOf(QStringLiteral("message"));
        QCOMPARE(boxes.size(), earlier + 1);
        QCOMPARE(boxes.last().kind, Platform::BoxKind::Error);
        QVERIFY2(boxes.last().text.startsWith(QStringLiteral("فايل در اين مسير ذخيره نشد:")), qPrintable(boxes.last().text));
        QVERIFY(boxes.last().text.contains(leftToRightPath(path(QStringLiteral("missing/x.exe")))));
        QVERIFY(!QFile::exists(path(QStringLiteral("missing/x.exe"))));
    }

    // Every failure from the staging on shows one message, stores nothing,
    // leaves nothing staged and keeps the light as it was.
    void uploadFailures_data() { addEngineRows(); }
    void uploadFailures()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        writeFile(path(QStringLiteral("picture.jpeg2k")), "long");    // ".jpeg2k" is longer than a stored extension
        upload(fx, QStringLiteral("عکس"), path(QStringLiteral("picture.jpeg2k")));
        upload(fx, QStringLiteral("عکس"), path(QStringLiteral("missing.pdf")));
        // The person deleted on another workstation since the file was opened.
        writeFile(path(QStringLiteral("ok.pdf")), "pdf");
        fx.exec(QStringLiteral("delete from personel where id=%1").arg(m_first));
        upload(fx, QStringLiteral("عکس"), path(QStringLiteral("ok.pdf")));
        // No current person: the document would belong to nobody.
        Query &persons = *app::dm->ADOQ_personel;
        persons.clear();
        persons.add(QStringLiteral("select * from personel where id=-1"));
        persons.open();
        upload(fx, QStringLiteral("عکس"), path(QStringLiteral("ok.pdf")));

        QCOMPARE(fx.ui.messages(), (QStringList{failedText, failedText, failedText, failedText}));
        QVERIFY(documents().isEmpty());
        QCOMPARE(fx.column(QStringLiteral("select count(*) from new_pic")), QStringList{QStringLiteral("0")});
        QCOMPARE(w->Shape1->brushColor(), QColor(Qt::red));
    }

    void deletion_data() { addEngineRows(); }
    void deletion()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        // An empty grid: nothing is asked and nothing happens.
        w->N1->trigger();
        QVERIFY(fx.ui.calls.isEmpty());

        // No password list: only the empty answer deletes.
        for (int i = 0; i < 3; ++i)
            fx.exec(QStringLiteral("insert into personel_pic (personel_id,cmt,pictyp) values (%1,'d%2','.pdf')").arg(m_first).arg(i));
        showDocumentsOf(m_first);
        fx.ui.inputAnswers.enqueue(QStringLiteral("?"));
        w->N1->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{wrongPasswordText});
        const auto inputs = fx.ui.callsOf(QStringLiteral("input"));
        QCOMPARE(inputs[0].caption, QStringLiteral("Delete Password"));
        QCOMPARE(inputs[0].text, passwordList);
        QCOMPARE(inputs[0].extra, QStringLiteral("?"));
        fx.ui.inputAnswers.enqueue(QString());
        app::dm->ADOQ_personel_pic->setRecNo(2);
        w->N1->trigger();
        QCOMPARE(fx.ui.messages().last(), deletedText);
        QCOMPARE(fx.column(QStringLiteral("select cmt from personel_pic order by id")), (QStringList{QStringLiteral("d0"), QStringLiteral("d2")}));
        QCOMPARE(app::dm->ADOQ_personel_pic->recordCount(), 2);

        // With a password: a wrong one and a cancelled box ("?") delete nothing.
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('%1','Pw9')").arg(passwordList));
        fx.ui.reset();
        fx.ui.inputAnswers.enqueue(QStringLiteral("pw9"));
        w->N1->trigger();
        w->N1->trigger();
        QCOMPARE(fx.ui.messages(), (QStringList{wrongPasswordText, wrongPasswordText}));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel_pic")), QStringList{QStringLiteral("2")});
        fx.ui.inputAnswers.enqueue(QStringLiteral("Pw9"));
        app::dm->ADOQ_personel_pic->last();
        w->N1->trigger();
        QCOMPARE(fx.column(QStringLiteral("select cmt from personel_pic")), QStringList{QStringLiteral("d0")});

        // With "?" as the password a cancelled box still deletes nothing.
        fx.exec(QStringLiteral("update setting set cmt='?' where component='%1'").arg(passwordList));
        fx.ui.reset();
        w->N1->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{wrongPasswordText});
        QCOMPARE(fx.column(QStringLiteral("select cmt from personel_pic")), QStringList{QStringLiteral("d0")});
    }

    // Two workstations upload at the same moment, each for its own person:
    // every document ends up with the person it was uploaded for, none is
    // lost or doubled, and a row another workstation left staged is never
    // copied by this one.
    void concurrentUploads_data() { addEngineRows(); }
    void concurrentUploads()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        fx.exec(QStringLiteral("insert into new_pic (new_id,cmt,pictyp) values (%1,'left over','.txt')").arg(m_second));
        writeFile(path(QStringLiteral("first.bin")), binaryContent('1'));
        upload(fx, QStringLiteral("اولي"), path(QStringLiteral("first.bin")));
        QCOMPARE(documents().size(), 1);
        QCOMPARE(documents()[0].person, m_first);

        constexpr int rounds = 25;
        std::atomic<int> failures{0};
        std::atomic<bool> started{false};
        const TestDatabase &database = fx.database;
        const qint64 second = m_second;
        std::thread other([&] {
            try {
                auto connection = database.connect();
                Query staging(connection.get(), QStringLiteral("ADOQ_new_pic"), QStringLiteral("select * from new_pic"));
                Query scratch(connection.get(), QStringLiteral("ADOQuery1"));
                started = true;
                for (int i = 0; i < rounds; ++i)
                    TPERSONEL_PIC::storeDocument(staging, scratch, second, QStringLiteral("دومي"), QStringLiteral(".bin"),
                                                 binaryContent('2'));
            } catch (const std::exception &e) {
                qWarning("second workstation: %s", e.what());
                ++failures;
            }
        });
        while (!started)
            std::this_thread::yield();
        for (int i = 0; i < rounds; ++i)
            upload(fx, QStringLiteral("اولي"), path(QStringLiteral("first.bin")));
        other.join();

        QCOMPARE(failures.load(), 0);
        QCOMPARE(fx.ui.messages(), QStringList());
        int mine = 0;
        int theirs = 0;
        for (const Document &d : documents()) {
            if (d.person == m_first) {
                ++mine;
                QCOMPARE(d.cmt, QStringLiteral("اولي"));
                QCOMPARE(d.pic, binaryContent('1'));
            } else {
                ++theirs;
                QCOMPARE(d.person, m_second);
                QCOMPARE(d.cmt, QStringLiteral("دومي"));
                QCOMPARE(d.pic, binaryContent('2'));
            }
        }
        QCOMPARE(mine, rounds + 1);
        QCOMPARE(theirs, rounds);
        QCOMPARE(fx.column(QStringLiteral("select count(*) from new_pic")), QStringList{QStringLiteral("0")});
        QCOMPARE(app::dm->ADOQ_personel_pic->recordCount(), rounds + 1);
    }

    // Rows staged and committed by another workstation while this one
    // uploads (one that stages and copies in separate steps, say) are never
    // copied to this workstation's person.
    void foreignStagedRowsNeverCopied_data() { addEngineRows(); }
    void foreignStagedRowsNeverCopied()
    {
        AppFixture fx(currentEngine());
        prepare(fx);
        writeFile(path(QStringLiteral("first.bin")), binaryContent('1'));
        std::atomic<bool> stop{false};
        std::atomic<int> staged{0};
        const TestDatabase &database = fx.database;
        const qint64 second = m_second;
        std::thread other([&] {
            auto connection = database.connect();
            Query q(connection.get(), QStringLiteral("other"));
            q.add(QStringLiteral("insert into new_pic (new_id,cmt,pictyp) values (%1,'staged','.x')").arg(second));
            while (!stop) {
                try {
                    q.execute();
                    ++staged;
                } catch (const std::exception &) {
                }
                // A workstation, not a tight loop: leave the others a turn.
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        while (staged == 0)
            std::this_thread::yield();
        for (int i = 0; i < 20; ++i)
            upload(fx, QStringLiteral("اولي"), path(QStringLiteral("first.bin")));
        stop = true;
        other.join();

        QCOMPARE(fx.ui.messages(), QStringList());
        const QList<Document> docs = documents();
        QCOMPARE(docs.size(), 20);
        for (const Document &d : docs) {
            QCOMPARE(d.person, m_first);
            QCOMPARE(d.pic, binaryContent('1'));
        }
    }
};

QTEST_MAIN(PersonelPicTest)
#include "tst_personel_pic.moc"
