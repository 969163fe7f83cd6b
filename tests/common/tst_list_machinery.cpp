// The machinery the lists and entry windows share, in the shapes other lists
// use it: the sort text of a title click, a search with a row tail, a
// deletion without a child table, a filter of two fields, storing controls
// into a closed query, the refusal of a field whose text cannot be stored on
// every entry window; on every engine under test.
#include "TestSupport.h"
#include "admin/users_u.h"
#include "common/EntryWindow.h"
#include "common/FilterToggle.h"
#include "common/ListDeletion.h"
#include "common/ListSearch.h"
#include "common/TitleSort.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DataError.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "personnel/personel_ins_u.h"
#include "personnel/personel_src_u.h"
#include "trips/taradod_ins_u.h"
#include "trips/taradod_src_u.h"
#include "vehicles/khodro_ins_u.h"
#include "vehicles/khodro_src_u.h"
#include <QPushButton>
#include <QCheckBox>
#include <QCollator>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

class ListMachineryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void nextSort_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("next");
        QTest::newRow("first click") << "" << "mablagh" << "mablagh ASC";
        QTest::newRow("same column") << "mablagh ASC" << "mablagh" << "mablagh DESC";
        QTest::newRow("back again") << "mablagh DESC" << "mablagh" << "mablagh ASC";
        QTest::newRow("longer name sorted") << "mablagh_saat ASC" << "mablagh" << "mablagh ASC";
        QTest::newRow("longer name descending") << "mamor_cmt DESC" << "mamor" << "mamor ASC";
        QTest::newRow("shorter name sorted") << "mamor ASC" << "mamor_cmt" << "mamor_cmt ASC";
        QTest::newRow("other column") << "lname DESC" << "fname" << "fname ASC";
    }
    void nextSort()
    {
        QFETCH(QString, current);
        QFETCH(QString, field);
        QFETCH(QString, next);
        QCOMPARE(TitleSort::nextSort(current, field), next);
    }

    void searchWithTailAndRestriction_data() { addEngineRows(); }
    void searchWithTailAndRestriction()
    {
        AppFixture fx(currentEngine());
        for (const char *name : {"b", "a", "c"})
            fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('%1','1','')").arg(QLatin1String(name)));
        QLabel cnt;
        Query &q = *app::dm->ADOQuery1;
        // The count and the rows on one query, the row statement ordered.
        const ListSearch search{QStringLiteral("select count(*) as c from phone where name<>''"),
                                QStringLiteral("select * from phone where name<>''"),
                                {likeCondition(QStringLiteral("tel"), QStringLiteral("1"))},
                                {QStringLiteral(" order by name")}};
        search.run(q, &cnt, q);
        QCOMPARE(cnt.text(), QStringLiteral("3"));
        QCOMPARE(q.lines().last(), QStringLiteral(" order by name"));
        QCOMPARE(q.textAt(0, q.columnIndex(QStringLiteral("name"))), QStringLiteral("a"));
        // The count pass alone leaves its row open for sums beside the count.
        search.count(q, &cnt);
        QCOMPARE(q.field(QStringLiteral("c")).asInteger(), 3);

        // A quote in the user id is doubled; other levels add nothing.
        app::users->prs_id->setText(QStringLiteral("1' or '1'='1"));
        app::users->level->setText(QStringLiteral("ostan"));
        QCOMPARE(countyRestriction(),
                 QStringLiteral(" and shahrestan in ( select cmt from dastrasi2 where user_id='1'' or ''1''=''1')"));
        app::users->level->setText(QStringLiteral("province"));
        QCOMPARE(countyRestriction(), QString());
        // The quote of a typed text is doubled; Latin letters match in either case.
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('d','2','It''s here')"));
        QCOMPARE(fx.value(QStringLiteral("select name from phone where 1=1") + likeCondition(QStringLiteral("cmt"), QStringLiteral("it's"))),
                 QStringLiteral("d"));
    }

    void deletionWithoutChildTable_data() { addEngineRows(); }
    void deletionWithoutChildTable()
    {
        AppFixture fx(currentEngine());
        fx.setCurrentUser(QStringLiteral("3"), QStringLiteral("karbar1"));
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('x','12','y')"));
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('z','34','w')"));
        Query &rows = *app::dm->ADOQ_zamaem;
        rows.clear();
        rows.add(QStringLiteral("select * from phone where tel like '%4%'"));
        rows.open();
        const DeletionSpec deletion{QStringLiteral("phone"), QString(), QString(), QStringLiteral(" حذف "), {QStringLiteral("name"), QStringLiteral("tel")}};
        fx.ui.inputAnswers << QString();
        QVERIFY(deleteCurrentRow(rows, deletion));
        QCOMPARE(fx.column(QStringLiteral("select name from phone")), QStringList{QStringLiteral("x")});
        QCOMPARE(fx.column(QStringLiteral("select cmt from log")), QStringList{QStringLiteral(" حذف z 34")});
        QCOMPARE(fx.column(QStringLiteral("select karbar from log")), QStringList{QStringLiteral("karbar1")});
        // Reopened with the same statement: now empty, and a second deletion does nothing.
        QCOMPARE(rows.recordCount(), 0);
        QVERIFY(!deleteCurrentRow(rows, deletion));
        rows.close();
        QVERIFY(!deleteCurrentRow(rows, deletion));
        QCOMPARE(fx.ui.callsOf(QStringLiteral("input")).size(), 1);

        // A password set from a Persian keyboard is typed on the number pad.
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','۱۲۳')"));
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('p','45','q')"));
        rows.open();
        fx.ui.inputAnswers << QStringLiteral("124") << QStringLiteral("123");
        QVERIFY(!deleteCurrentRow(rows, deletion));
        QVERIFY(deleteCurrentRow(rows, deletion));
        QCOMPARE(fx.column(QStringLiteral("select name from phone")), QStringList{QStringLiteral("x")});
    }

    void filterOfTwoFields()
    {
        QDialog w;
        auto *box = new QCheckBox(&w);
        auto *from = new MaskEdit(QStringLiteral("!9999/99/00;1;_"), &w);
        auto *to = new MaskEdit(QStringLiteral("!9999/99/00;1;_"), &w);
        auto *combo = new ComboBox(true, &w);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        combo->setFocus();
        box->setChecked(true);
        toggleFilter(box, {from, to}, from);
        QVERIFY(from->isEnabled() && to->isEnabled());
        QCOMPARE(to->palette().color(QPalette::Base), QColor(Qt::yellow));
        QVERIFY(from->hasFocus());
        // A combo's edit shows the colour too.
        setFilterColour(combo, true);
        QCOMPARE(combo->lineEdit()->palette().color(QPalette::Base), QColor(Qt::yellow));
        box->setChecked(false);
        toggleFilter(box, {from, to});
        QVERIFY(!from->isEnabled() && !to->isEnabled());
        QVERIFY(to->palette().color(QPalette::Base) != QColor(Qt::yellow));
    }

    void sortFollowsTheCollation_data() { addEngineRows(); }
    void sortFollowsTheCollation()
    {
        AppFixture fx(currentEngine());
        // Digit-only texts take a quicker path than Persian ones; both must
        // give the order of the Persian collation, ties in their fetched order.
        const QStringList digits{"1403/01/02", "1403/1/02", " 12", "12", "9", "10", "    /  /  ", "12", "1403/01/10"};
        const QStringList persian{"ب 12", "الف", "آ", "ی", "ي", "12 ب", "ک", "ك", "پ"};
        for (const QStringList *texts : {&digits, &persian}) {
            fx.exec(QStringLiteral("delete from phone"));
            for (int i = 0; i < texts->size(); ++i)
                fx.exec(QStringLiteral("insert into phone (name,tel) values (%1,%2)").arg(quoted(texts->at(i)), quoted(QString::number(i))));
            Query q(app::dm->ADOConnection1, QStringLiteral("q"));
            q.add(QStringLiteral("select * from phone order by id"));
            q.open();
            q.setSort(QStringLiteral("name ASC"));
            QStringList sorted;
            for (int r = 0; r < q.recordCount(); ++r)
                sorted << q.textAt(r, q.columnIndex(QStringLiteral("name")));
            QStringList expected = *texts;
            QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
            std::stable_sort(expected.begin(), expected.end(), [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
            QCOMPARE(sorted, expected);
            q.setSort(QStringLiteral("name DESC"));
            QCOMPARE(q.textAt(0, q.columnIndex(QStringLiteral("name"))), expected.last());
        }
    }

    void storeControlsAndDuplicate_data() { addEngineRows(); }
    void storeControlsAndDuplicate()
    {
        AppFixture fx(currentEngine());
        QDialog w;
        auto *name = new QLineEdit(&w);
        name->setObjectName(QStringLiteral("name"));
        auto *tel = new ComboBox(true, &w);
        tel->setObjectName(QStringLiteral("tel"));
        Query rows(app::dm->ADOConnection1, QStringLiteral("rows"), QStringLiteral("select * from phone"));
        name->setText(QStringLiteral("a"));
        tel->setText(QStringLiteral("99"));
        // A closed query is opened first; the row joins it.
        storeControls(rows, {name, tel}, RowMode::Append);
        QCOMPARE(rows.recordCount(), 1);
        QCOMPARE(fx.column(QStringLiteral("select tel from phone")), QStringList{QStringLiteral("99")});

        // The key is found: a warning with Yes, No and Cancel asks the
        // question ending with the first row's value; only Yes allows.
        const QStringList lines{QStringLiteral("select * from phone where "), QStringLiteral(" name='a'")};
        fx.ui.buttonAnswers << Platform::Button::No << Platform::Button::Yes;
        QVERIFY(!duplicateAllowed(*app::dm->ADOQuery1, lines, QStringLiteral("dup "), QStringLiteral("tel")));
        QVERIFY(duplicateAllowed(*app::dm->ADOQuery1, lines, QStringLiteral("dup "), QStringLiteral("tel")));
        QCOMPARE(fx.ui.messages(), (QStringList{QStringLiteral("dup 99"), QStringLiteral("dup 99")}));
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Warning);
        QCOMPARE(fx.ui.calls.last().buttons, (QList<Platform::Button>{Platform::Button::Yes, Platform::Button::No, Platform::Button::Cancel}));
        QVERIFY(duplicateAllowed(*app::dm->ADOQuery1, {QStringLiteral("select * from phone where name='b'")}, QStringLiteral("dup "),
                                 QStringLiteral("tel")));
        QCOMPARE(fx.ui.messages().size(), 2);

        // Loading from a row: NULL reads as the empty text.
        fx.exec(QStringLiteral("update phone set tel=NULL"));
        rows.close();
        rows.open();
        loadControlsFromRow({name, tel}, rows);
        QCOMPARE(controlText(name), QStringLiteral("a"));
        QCOMPARE(controlText(tel), QString());
    }

    // A field whose text cannot be stored is refused before anything else,
    // also when the click on "ثبت" comes as a press and release together
    // while the focus is still in the field, and before another row
    // (`other`) raises a question: one message naming the field as the
    // window shows it, nothing asked, the focus back in the field, nothing
    // stored. The `required` fields get "x" (a year, if masked).
    void refusedFieldIsNeverStored_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("required");
        QTest::addColumn<QString>("other");
        const char *person = "(lname,nation) values ('y','')";
        const char *vehicle = "(lname,khodro) values ('x','')";
        const char *trip = "(typ,ranande,mamor,dat1) values ('x','x','x','%1')";
        const QStringList named{"lname"}, namedWithYear{"lname", "model"}, tripKeys{"typ", "ranande", "mamor"};
        const QString longName(101, QChar(0x628));
        for (Engine e : testEngines()) {
            auto row = [e](const char *name) -> QTestData & {
                return QTest::addRow("%s %s", e == Engine::Sqlite ? "sqlite" : "postgres", name) << int(e);
            };
            row("person, half-filled date") << "personel" << "birthday" << "1405091" << MaskEdit::InvalidInput << named << person;
            row("vehicle, half-filled date") << "khodro" << "bime_dat_sales" << "1405091" << MaskEdit::InvalidInput << named << vehicle;
            row("trip, half-filled date") << "taradod" << "dat2" << "1405091" << MaskEdit::InvalidInput << tripKeys << trip;
            row("person, grouping the reader refuses") << "personel" << "govahiname_nomre" << "12,5"
                                                       << "نمره منفي گواهينامه: '12,5' يك عدد معتبر نيست" << named << person;
            row("vehicle, grouping the reader refuses") << "khodro" << "kilometr" << "12,5"
                                                        << "کيلومتر کارکرد: '12,5' يك عدد صحيح معتبر نيست" << namedWithYear << vehicle;
            row("trip, grouping the reader refuses") << "taradod" << "kilometr1" << "12,5"
                                                     << "کيلومتر رفت: '12,5' يك عدد صحيح معتبر نيست" << tripKeys << trip;
            row("person, children beyond the column's range") << "personel" << "farzand" << "2147483648"
                                                              << "'2147483648' خارج از محدوده عدد صحيح فيلد 'تعداد فرزند' است" << named << person;
            row("vehicle, name longer than its column")
                << "khodro" << "khodro" << longName
                << QStringLiteral("'%1…' بيش از 100 حرف دارد و در فيلد 'نام خودرو' جا نمي شود").arg(longName.left(60)) << named << vehicle;
        }
    }
    void refusedFieldIsNeverStored()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QStringList, required);
        QFETCH(QString, other);
        AppFixture fx(currentEngine());
        dates.Init(); // a new trip starts today
        fx.exec(QStringLiteral("insert into ") + table + QString(other).replace(QStringLiteral("%1"), dates.ToText()));
        const QHash<QString, std::pair<std::function<void()>, QWidget *>> entries{
            {QStringLiteral("personel"), {[] { app::personel_src->N1Click(); }, app::personel_ins}},
            {QStringLiteral("khodro"), {[] { app::khodro_src->N1Click(); }, app::khodro_ins}},
            {QStringLiteral("taradod"), {[] { app::taradod_src->N1Click(); }, app::taradod_ins}}};
        const auto &[openNew, window] = entries[table];
        openNew();
        for (const QString &name : required) {
            QWidget *control = window->findChild<QWidget *>(name);
            setControlText(control, qobject_cast<MaskEdit *>(control) ? QStringLiteral("1395") : QStringLiteral("x"));
        }
        auto *control = window->findChild<QWidget *>(field);
        QVERIFY(QTest::qWaitForWindowActive(window));
        setControlText(control, QString());
        control->setFocus(Qt::TabFocusReason);
        typeText(control, typed);
        fx.ui.reset();
        fx.ui.buttonAnswers << Platform::Button::Yes;
        QTest::mousePress(window->findChild<QPushButton *>(QStringLiteral("ins_btn")), Qt::LeftButton);
        QTest::mouseRelease(window->findChild<QPushButton *>(QStringLiteral("ins_btn")), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(fx.ui.messages(), QStringList{refusal});
        QVERIFY(control->hasFocus());
        QCOMPARE(fx.column(QStringLiteral("select count(*) from ") + table), QStringList{QStringLiteral("1")});
    }
};

QTEST_MAIN(ListMachineryTest)
#include "tst_list_machinery.moc"
