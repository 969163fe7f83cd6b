// Vehicle entry: the owner look-up that copies a person's own vehicle, the
// item lists and counties, insert and edit with the owner check and the
// duplicate question, and what the number and masked fields store; on every
// engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "vehicles/khodro_ins_u.h"
#include "vehicles/khodro_src_u.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

namespace {

const QString EmptyOwner = QStringLiteral("خطا! نام خانوادگي  نمي تواند خالي باشد");
const QString DuplicateQuestion = QStringLiteral(" هشدار! اين مالک و خودرو قبلا ثبت شده است.آيا مي خواهيد ادامه دهيد؟");

Query &rows() { return *app::dm->ADOQ_khodro; }

// Opens the entry window as the list's "new" command does, on the list's result set.
Tkhodro_ins *openNew()
{
    app::khodro_src->src_btnClick();
    app::khodro_src->N1Click();
    return app::khodro_ins;
}

// Opens it on the vehicle of that model, as the list's "edit" command does on
// its current row.
Tkhodro_ins *openEdit(int model)
{
    app::khodro_src->src_btnClick();
    for (rows().first(); !rows().eof() && rows().field(QStringLiteral("model")).asInteger() != model; rows().next()) {
    }
    app::khodro_src->N2Click();
    return app::khodro_ins;
}

QStringList itemsOf(const ComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

int errorBoxes(const ScriptedPlatform &ui)
{
    int n = 0;
    for (const auto &c : ui.callsOf(QStringLiteral("message")))
        n += c.kind == Platform::BoxKind::Error;
    return n;
}

} // namespace

class KhodroInsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void ownerCopiesThePersonsVehicle_data() { addEngineRows(); }
    void ownerCopiesThePersonsVehicle()
    {
        AppFixture fx(currentEngine());
        // Two persons of one full name: the first in the server's order counts.
        fx.exec(QStringLiteral("insert into personel (fname,lname,khodro,model,pelak) values ('علي','رضايي','پژو','1390','11ب111')"));
        fx.exec(QStringLiteral("insert into personel (fname,lname,khodro,model,pelak) values ('علي','رضايي','سمند','1399','22ج222')"));
        fx.exec(QStringLiteral("insert into personel (fname,lname,khodro,model,pelak) values ('حسن','O''Neil','پرايد',NULL,'33د333')"));
        Tkhodro_ins *w = openNew();

        // Typed on a Persian keyboard: the stored name's yeh in its other form.
        typeText(w->lname->lineEdit(), QStringLiteral("علی رضای"));
        QCOMPARE(w->khodro->text(), QString());
        typeText(w->lname->lineEdit(), QStringLiteral("ی"));
        QCOMPARE(w->khodro->text(), QStringLiteral("پژو"));
        QCOMPARE(w->model->text(), QStringLiteral("1390"));
        QCOMPARE(w->pelak->text(), QStringLiteral("11ب111"));
        // One character more: all three empty again.
        typeText(w->lname->lineEdit(), QStringLiteral("x"));
        QCOMPARE(w->khodro->text(), QString());
        QCOMPARE(w->model->text(), QStringLiteral("    "));
        QCOMPARE(w->pelak->text(), QString());

        // Picking an owner from the list; a quote in the name stays inside its literal.
        const int picked = itemsOf(w->lname).indexOf(QStringLiteral("حسن O'Neil"));
        QVERIFY(picked >= 0);
        w->lname->setCurrentIndex(picked);
        Q_EMIT w->lname->activated(picked);
        QCOMPARE(w->khodro->text(), QStringLiteral("پرايد"));
        QCOMPARE(w->pelak->text(), QStringLiteral("33د333"));
        QCOMPARE(w->model->text(), QStringLiteral("    "));
        QCOMPARE(app::dm->ADOQ_set->lines().size(), 1);
        QVERIFY(app::dm->ADOQ_set->lines().first().contains(QStringLiteral("حسن ")) && app::dm->ADOQ_set->lines().first().contains(QStringLiteral("''")));

        // The organisation's own owner text is no person: the fields are emptied.
        w->lname->lineEdit()->clear();
        typeText(w->lname->lineEdit(), QStringLiteral("کاروند ديسا استان"));
        QCOMPARE(w->khodro->text(), QString());

        // The owner set by the list's edit command keeps the stored vehicle.
        fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak) values ('علي رضايي','وانت',1380,'44ه444')"));
        w->hide();
        openEdit(1380);
        QCOMPARE(w->lname->text(), QStringLiteral("علي رضايي"));
        QCOMPARE(w->khodro->text(), QStringLiteral("وانت"));
        QCOMPARE(w->model->text(), QStringLiteral("1380"));
        QCOMPARE(w->pelak->text(), QStringLiteral("44ه444"));
    }

    void listsAndCounties_data() { addEngineRows(); }
    void listsAndCounties()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into personel (fname,lname) values ('علي','رضايي'),('حسن','کريمي')"));
        // One item per list, named after the field it must reach.
        const QList<QPair<QString, ComboBox *>> lists{
            {QStringLiteral("نام خودرو"), app::khodro_ins->khodro}, {QStringLiteral("رنگ خودرو"), app::khodro_ins->rang},
            {QStringLiteral("حجم موتور"), app::khodro_ins->hajm_motor}, {QStringLiteral("مدارک خودرو"), app::khodro_ins->madarek},
            {QStringLiteral("وضعيت فني و ظاهري خودرو"), app::khodro_ins->fani},
            {QStringLiteral("ابزار و تجهيزات همراه خودرو"), app::khodro_ins->abzar},
            {QStringLiteral("وضعيت خودرو"), app::khodro_ins->status}};
        for (const auto &[list, combo] : lists)
            fx.exec(QStringLiteral("insert into setting (component,cmt) values ('%1','%2')").arg(list, combo->objectName()));
        fx.exec(QStringLiteral("insert into abadiha (ostan,shahrestan) values ('مرکزي','اراک'),('مرکزي','ساوه'),('قم','قم')"));

        Tkhodro_ins *w = openNew();
        const QStringList names{QStringLiteral("علي رضايي"), QStringLiteral("حسن کريمي")};
        QCOMPARE(itemsOf(w->lname), names);
        QCOMPARE(itemsOf(w->sokht_nam), names);
        for (const auto &[list, combo] : lists)
            QCOMPARE(itemsOf(combo), QStringList{combo->objectName()});
        QStringList provinces = itemsOf(w->ostan);
        provinces.sort();
        QCOMPARE(provinces, (QStringList{QStringLiteral("قم"), QStringLiteral("مرکزي")}));
        QCOMPARE(w->shahrestan->count(), 0);

        // A province typed by the user (its yeh in another form) lists its counties; the county text stays.
        w->shahrestan->setText(QStringLiteral("دلخواه"));
        typeText(w->ostan->lineEdit(), QStringLiteral("مرکزی"));
        QStringList counties = itemsOf(w->shahrestan);
        counties.sort();
        QCOMPARE(counties, (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));
        QCOMPARE(w->shahrestan->text(), QStringLiteral("دلخواه"));
        // A province set from code lists nothing; a refill keeps every text.
        w->ostan->setText(QStringLiteral("قم"));
        QCOMPARE(w->shahrestan->count(), 2);
        w->hide();
        w->show();
        QCOMPARE(w->ostan->text(), QStringLiteral("قم"));
        QCOMPARE(w->shahrestan->text(), QStringLiteral("دلخواه"));
    }

    void insertChecksAndDuplicateQuestion_data() { addEngineRows(); }
    void insertChecksAndDuplicateQuestion()
    {
        AppFixture fx(currentEngine());
        Tkhodro_ins *w = openNew();

        // No owner: the message, nothing written.
        w->model->setText(QStringLiteral("1395"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{EmptyOwner});
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("0"));

        // A quote in the owner and the vehicle name stays inside its literal.
        fx.ui.reset();
        w->lname->setText(QStringLiteral("O'Neil"));
        w->khodro->setText(QStringLiteral("پژو '405'"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        QVERIFY(app::dm->ADOQuery1->lines().last().contains(QStringLiteral("پژو ''")));
        QCOMPARE(fx.value(QStringLiteral("select lname from khodro")), QStringLiteral("O'Neil"));
        // The row joined the list's result set; the window stays open; the count stays.
        QCOMPARE(rows().recordCount(), 1);
        QVERIFY(w->isVisible());
        QCOMPARE(app::khodro_src->cnt->text(), QStringLiteral("0"));

        // The same pair again, its digits typed in Persian: the question ends
        // with the stored owner; No and Cancel store nothing, Yes a second row.
        w->khodro->setText(QStringLiteral("پژو '۴۰۵'"));
        fx.ui.buttonAnswers << Platform::Button::No << Platform::Button::Cancel << Platform::Button::Yes;
        for (int i = 0; i < 3; ++i)
            w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList(3, DuplicateQuestion + QStringLiteral("O'Neil")));
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("2"));

        // Another vehicle of the same owner: no question.
        fx.ui.reset();
        w->khodro->setText(QStringLiteral("سمند"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        // An owner of blanks only is no owner.
        w->lname->setText(QStringLiteral(" "));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{EmptyOwner});
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("3"));
        // An empty vehicle name is asked about too.
        fx.ui.reset();
        w->lname->setText(QStringLiteral("O'Neil"));
        w->khodro->setText(QString());
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("4"));
        fx.ui.buttonAnswers << Platform::Button::No;
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + QStringLiteral("O'Neil")});
    }

    void numberAndMaskedTexts_data() { addEngineRows(); }
    void numberAndMaskedTexts()
    {
        AppFixture fx(currentEngine());
        Tkhodro_ins *w = openNew();
        w->lname->setText(QStringLiteral("کاروند ديسا استان"));

        // An untouched model is four blanks, which is no number: refused under
        // the field's caption, and the shared result set is left as it was.
        w->ins_btn->click();
        QCOMPARE(errorBoxes(fx.ui), 1);
        QCOMPARE(fx.ui.messages().last(), QStringLiteral("مدل/سال ساخت: '    ' يك عدد صحيح معتبر نيست"));
        QCOMPARE(rows().state(), Query::State::Browse);
        QCOMPARE(rows().recordCount(), 0);
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("0"));

        // A unit after the value or the engine volume: refused.
        w->model->setText(QStringLiteral("1395"));
        w->arzesh->setText(QStringLiteral("1500000 ريال"));
        w->ins_btn->click();
        w->arzesh->setText(QStringLiteral("1500000"));
        w->hajm_motor->setText(QStringLiteral("1600cc"));
        w->ins_btn->click();
        QCOMPARE(errorBoxes(fx.ui), 3);
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("0"));

        // Four digits are that number; empty numbers are NULL; untouched dates keep the mask.
        w->hajm_motor->setText(QString());
        w->ins_btn->click();
        QCOMPARE(errorBoxes(fx.ui), 3);
        QCOMPARE(fx.value(QStringLiteral("select model+1 from khodro")), QStringLiteral("1396"));
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro where kilometr is null and hajm_motor is null and arzesh=1500000")),
                 QStringLiteral("1"));
        QCOMPARE(fx.value(QStringLiteral("select bime_dat_sales || sokht_dat from khodro")), QStringLiteral("    /  /      /  /  "));
        QCOMPARE(rows().recordCount(), 1);

        // On edit, a refused number leaves the current row as it was.
        w->hide();
        openEdit(1395);
        QCOMPARE(w->arzesh->text(), QStringLiteral("1500000"));
        QCOMPARE(w->kilometr->text(), QString());
        w->cmt->setText(QStringLiteral("changed"));
        w->kilometr->setText(QStringLiteral("12a"));
        w->edit_btn->click();
        QCOMPARE(errorBoxes(fx.ui), 4);
        QCOMPARE(rows().state(), Query::State::Browse);
        QCOMPARE(rows().field(QStringLiteral("cmt")).asString(), QString());
        QVERIFY(w->isVisible());
        w->kilometr->setText(QStringLiteral("150000"));
        // A value typed on a Persian keyboard, its decimal separator included.
        w->arzesh->setText(QStringLiteral("۱۵۰۰۰۰۰٫۵"));
        w->edit_btn->click();
        QCOMPARE(fx.value(QStringLiteral("select kilometr from khodro")), QStringLiteral("150000"));
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro where arzesh*10=15000005")), QStringLiteral("1"));
        QCOMPARE(fx.value(QStringLiteral("select cmt from khodro")), QStringLiteral("changed"));
        QVERIFY(!w->isVisible());
    }

    void editAsksOnlyWhenTheOwnerChanged_data() { addEngineRows(); }
    void editAsksOnlyWhenTheOwnerChanged()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into khodro (lname,khodro,model) values ('a','پژو',1390),('a','سمند',1391),('كريمي','پژو',1392)"));

        // The owner unchanged: no question, even for a pair another row has.
        Tkhodro_ins *w = openEdit(1391);
        QVERIFY(!w->ins_btn->isVisibleTo(w));
        QVERIFY(w->edit_btn->isVisibleTo(w));
        w->khodro->setText(QStringLiteral("پژو"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        QVERIFY(!w->isVisible());
        QCOMPARE(fx.column(QStringLiteral("select model from khodro where khodro='پژو' and lname='a' order by model")),
                 (QStringList{QStringLiteral("1390"), QStringLiteral("1391")}));

        // Another owner with that pair, its kaf and yeh typed otherwise: the question; Cancel keeps the row and the window.
        openEdit(1391);
        w->lname->setText(QStringLiteral("کریمی"));
        fx.ui.buttonAnswers << Platform::Button::Cancel;
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + QStringLiteral("كريمي")});
        QVERIFY(w->isVisible());
        QCOMPARE(fx.value(QStringLiteral("select lname from khodro where model=1391")), QStringLiteral("a"));
        // An empty owner is refused on edit as well.
        w->lname->setText(QString());
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages().last(), EmptyOwner);
        QCOMPARE(fx.value(QStringLiteral("select count(*) from khodro")), QStringLiteral("3"));
        // Rewriting only the letters of the owner is no change of owner: nothing asked.
        openEdit(1392)->lname->setText(QStringLiteral("کریمی"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages().size(), 2);
        QCOMPARE(fx.value(QStringLiteral("select lname from khodro where model=1392")), QStringLiteral("کریمی"));
    }

    void layoutAndTabOrder()
    {
        AppFixture fx(Engine::Sqlite);
        Tkhodro_ins *w = app::khodro_ins;
        QCOMPARE(w->windowTitle(), QStringLiteral("ثبت/ويرايش خودرو"));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(w->fields().size(), 25);
        QStringList columns;
        for (QWidget *f : w->fields())
            columns << f->objectName();
        QCOMPARE(columns, (QStringList{"lname", "khodro", "model", "pelak", "hajm_motor", "shasi", "motor_no", "rang", "kilometr",
                                       "arzesh", "ostan", "shahrestan", "bime_no_sales", "bime_dat_sales", "bime_no_badane",
                                       "bime_dat_badane", "sokht_nam", "sokht_dat", "cmt", "madar_cod", "madar_cmt", "madarek",
                                       "fani", "abzar", "status"}));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("sokht_nam_label"))->text(), QStringLiteral(" تحويل گيرنده کارت سوخت"));
        QCOMPARE(w->model->editMask(), QStringLiteral("0000;1;_"));
        QCOMPARE(w->sokht_dat->editMask(), QStringLiteral("!9999/99/00;1;_"));
        QCOMPARE(w->cmt->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(w->madar_cmt->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(w->pelak->layoutDirection(), Qt::LeftToRight);
        // Combo boxes read right to left, as those of the trip entry.
        for (const ComboBox *c : w->findChildren<ComboBox *>())
            QVERIFY2(c->layoutDirection() == Qt::RightToLeft, qPrintable(c->objectName()));
        QVERIFY(w->ins_btn->font().bold() && !w->ins_btn->autoDefault());

        // Three fields a row, the first of each row at the right.
        w->show();
        QVERIFY(w->lname->geometry().left() > w->khodro->geometry().right());
        QVERIFY(w->khodro->geometry().left() > w->model->geometry().right());
        QCOMPARE(w->pelak->geometry().left(), w->lname->geometry().left());
        QVERIFY(w->pelak->geometry().top() > w->lname->geometry().bottom());

        QSet<QWidget *> stops(w->fields().begin(), w->fields().end());
        stops << w->ins_btn << w->edit_btn;
        QWidget *f = w->lname;
        QStringList order;
        for (int i = 0; i < 27; ++i) {
            order << f->objectName();
            do { f = f->nextInFocusChain(); } while (!stops.contains(f));
        }
        QCOMPARE(order, (QStringList{"lname", "madarek", "fani", "abzar", "status", "ins_btn", "edit_btn", "khodro", "model",
                                     "pelak", "hajm_motor", "shasi", "motor_no", "rang", "kilometr", "arzesh", "bime_no_sales",
                                     "sokht_nam", "bime_no_badane", "cmt", "madar_cod", "madar_cmt", "bime_dat_sales",
                                     "bime_dat_badane", "sokht_dat", "shahrestan", "ostan"}));
    }
};

QTEST_MAIN(KhodroInsTest)
#include "tst_khodro_ins.moc"
