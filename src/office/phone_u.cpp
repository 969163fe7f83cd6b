#include "phone_u.h"
#include "common/ListDeletion.h"
#include "common/ListSearch.h"
#include "common/Page.h"
#include "core/Controls.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/DataError.h"
#include "platform/DbGrid.h"
#include "platform/FieldRefusal.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Entries with an empty name are never listed or counted.
QString countLine() { return QStringLiteral("select count(*) as c from phone where name<>") + quoted(QString()); }
QString rowLine() { return QStringLiteral("select * from phone where name<>") + quoted(QString()); }
const QString RowTail = QStringLiteral(" order by name");

// The Persian keheh typed on today's keyboards and the Arabic kaf that older
// entries are spelled with: the search looks for the latter.
constexpr char16_t Keheh = 0x06A9;
constexpr char16_t ArabicKaf = 0x0643;

void setBackground(QWidget *field, const QColor &colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

} // namespace

const QList<GridColumn> &Tphone::gridColumns()
{
    static const QList<GridColumn> columns{
        {QStringLiteral("name"), QStringLiteral("نام"), 180},
        {QStringLiteral("tel"), QStringLiteral("تلفن"), 120},
        {QStringLiteral("cmt"), QStringLiteral("شرح"), 120},
        {QStringLiteral("id"), QString(), 64, true},
    };
    return columns;
}

Tphone::Tphone(QWidget *parent) : QDialog(parent)
{
    setUpWindow(this, "phone", QStringLiteral("دفترچه تلفن"));
    // Its opener clears what is typed here; Esc must not throw that away.
    ignoreEscape(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    resize(502, 480);

    // The criterion: four columns, right to left, the first item chosen; the
    // search field (yellow) and the count at the group's left end.
    RadioGroup1 = named(new QGroupBox(QStringLiteral("جستجو بر اساس"), this), "RadioGroup1");
    RadioGroup1Items = new QButtonGroup(RadioGroup1);
    auto *criteria = new QHBoxLayout(RadioGroup1);
    int position = 0;
    for (const QString &caption : {QStringLiteral("نام"), QStringLiteral("تلفن"), QStringLiteral("شرح")}) {
        auto *item = new QRadioButton(caption, RadioGroup1);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(position));
        RadioGroup1Items->addButton(item, position++);
        criteria->addWidget(item);
    }
    RadioGroup1Items->button(0)->setChecked(true);
    criteria->addStretch(1);
    src = named(new QLineEdit(RadioGroup1), "src");
    src->setLayoutDirection(Qt::RightToLeft);
    src->setFixedWidth(150);
    setBackground(src, Qt::yellow);
    cnt = named(new QLabel(QStringLiteral("cnt"), RadioGroup1), "cnt");
    cnt->setMinimumWidth(30);
    criteria->addWidget(src);
    criteria->addWidget(cnt);

    DBGrid1 = named(new DbGrid(this), "DBGrid1");
    DBGrid1->setQuery(app::dm->ADOQuery1);
    DBGrid1->setColumns(gridColumns());
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    N1 = named(PopupMenu1->addAction(QStringLiteral("حذف")), "N1");
    DBGrid1->setPopupMenu(PopupMenu1);

    // The entry line under the grid: name, number, note, button.
    const QColor skyBlue(166, 202, 240);
    Label1 = named(new QLabel(QStringLiteral("نام"), this), "Label1");
    name = named(new QLineEdit(this), "name");
    name->setLayoutDirection(Qt::RightToLeft);
    Label2 = named(new QLabel(QStringLiteral("تلفن"), this), "Label2");
    tel = named(new QLineEdit(this), "tel");
    // A number reads from the left.
    tel->setLayoutDirection(Qt::LeftToRight);
    Label3 = named(new QLabel(QStringLiteral("شرح"), this), "Label3");
    cmt = named(new QLineEdit(this), "cmt");
    cmt->setLayoutDirection(Qt::RightToLeft);
    Label1->setBuddy(name);
    Label2->setBuddy(tel);
    Label3->setBuddy(cmt);
    for (QLineEdit *field : {name, tel, cmt})
        setBackground(field, skyBlue);
    ins_btn = named(new QPushButton(QStringLiteral("ثبت"), this), "ins_btn");
    ins_btn->setAutoDefault(false);

    auto *entry = new QHBoxLayout;
    entry->addWidget(Label1);
    entry->addWidget(name, 3);
    entry->addWidget(Label2);
    entry->addWidget(tel, 2);
    entry->addWidget(Label3);
    entry->addWidget(cmt, 2);
    entry->addWidget(ins_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(entry);

    connectGuarded(src, &QLineEdit::textChanged, this, [this] { srcChange(); });
    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
}

int Tphone::criterion() const
{
    return RadioGroup1Items->checkedId();
}

void Tphone::srcChange()
{
    // Putting the changed text back is itself a change, whose own run
    // searches with that text: this run has nothing left to do (a second
    // search with the same text would find the same rows, or fail again
    // with a second error box). The cursor stays where it was.
    QString text = src->text();
    text.replace(QChar(Keheh), QChar(ArabicKaf));
    if (text != src->text()) {
        const int cursor = src->cursorPosition();
        src->setText(text);
        src->setCursorPosition(cursor);
        return;
    }
    search();
}

void Tphone::search()
{
    static const char *const columns[] = {"name", "tel", "cmt"};
    const int item = criterion();
    if (item < 0 || item > 2)
        return;
    const QString criterion = likeCondition(QLatin1String(columns[item]), src->text());
    Query &q = *app::dm->ADOQuery1;
    // A failed search is shown here, also after an insertion or a deletion
    // that was stored: the grid and the count then no longer match what was
    // typed, and the user must know it.
    try {
        ListSearch{countLine(), rowLine(), {criterion}, {RowTail}}.run(q, cnt, q);
    } catch (const DataError &e) {
        showDefaultError(e.message());
    }
}

void Tphone::ins_btnClick()
{
    // An entry without a name would never be listed, nor so ever deleted.
    if (name->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("لطفا مقدار مناسب را وارد نماييد"));
        return;
    }
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    // The same name with the other form of kaf or yeh is a duplicate too.
    q.add(QStringLiteral("select * from phone where ") + q.connection()->dialect().equalsText(QStringLiteral("name"), name->text()));
    q.open();
    if (q.recordCount() > 0) {
        showMessage(QStringLiteral("نام تکراري است"));
        return;
    }
    for (QLineEdit *field : {name, tel, cmt})
        requireFitsIn(field, *q.connection(), QStringLiteral("phone"), field->objectName(), field->text());
    q.clear();
    q.add(QStringLiteral("insert into phone (name,tel,cmt) values(") + quoted(name->text()) + QLatin1Char(',') + quoted(tel->text())
          + QLatin1Char(',') + quoted(cmt->text()) + QLatin1Char(')'));
    q.execute();
    search();
    showMessage(QStringLiteral("ثبت شد"));
    name->setFocus(Qt::OtherFocusReason);
}

void Tphone::N1Click()
{
    Query &q = *app::dm->ADOQuery1;
    // Without a current entry there is nothing to delete (and no entry to
    // report as deleted).
    if (!q.isOpen() || q.isEmpty())
        return;
    name->setText(q.field(QStringLiteral("name")).asString());
    tel->setText(q.field(QStringLiteral("tel")).asString());
    cmt->setText(q.field(QStringLiteral("cmt")).asString());
    const QString id = q.field(QStringLiteral("id")).asString();
    q.clear();
    q.add(QStringLiteral("delete from phone where id=") + quoted(id));
    reportDeletion(q.execute());
    search();
}
