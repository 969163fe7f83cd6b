#include "setting_u.h"
#include "common/Page.h"
#include "core/app.h"
#include "common/lookup.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/FieldRefusal.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The text of a column of the grid's current row; a grid with no rows (or a
// query not yet opened) reads as the empty text.
QString currentText(Query &q, const QString &name)
{
    if (!q.isOpen() || q.isEmpty())
        return QString();
    return q.field(name).asString();
}

} // namespace

QStringList Tsetting::listNames()
{
    QStringList names{
        QStringLiteral("ابزار و تجهيزات همراه خودرو"),
        QStringLiteral("تاهل"),
        QStringLiteral("حجم موتور"),
        QStringLiteral("رمز حذف"),
        QStringLiteral("رنگ خودرو"),
        QStringLiteral("رئيس اداره تدارکات و پشتيباني"),
        QStringLiteral("سمت پرسنل"),
        QStringLiteral("شرح پرونده الکترونيک پرسنل"),
        QStringLiteral("شرح ماموريت"),
        QStringLiteral("فني و آشنايي با قطعات"),
        QStringLiteral("مبلغ هر ساعت"),
        QStringLiteral("مبلغ هر کيلومتر"),
        QStringLiteral("محل خدمت"),
        QStringLiteral("مدارک خودرو"),
        QStringLiteral("مذهب"),
        QStringLiteral("معاون پشتيباني"),
        QStringLiteral("مهارت رانندگي"),
        QStringLiteral("نام خودرو"),
        QStringLiteral("نحوه همکاري"),
        QStringLiteral("نوع تردد"),
        QStringLiteral("وضعيت پرسنل"),
        QStringLiteral("وضعيت خودرو"),
        QStringLiteral("وضعيت فني و ظاهري خودرو"),
    };
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    std::sort(names.begin(), names.end(), collator);
    return names;
}

Tsetting::Tsetting(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("setting"));
    // Its opener clears what is typed here; Esc must not throw that away.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral("تنظيمات"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(452, 480);

    QFont captionFont(QStringLiteral("Tahoma"));
    captionFont.setPixelSize(15);

    Label1 = new QLabel(QStringLiteral("عنوان اطلاعات"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(captionFont);
    component = new ComboBox(false, this);
    component->setObjectName(QStringLiteral("component"));
    component->setItems(listNames());

    Label2 = new QLabel(QStringLiteral("توضيحات"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(captionFont);
    cmt = new QLineEdit(this);
    cmt->setObjectName(QStringLiteral("cmt"));
    Label1->setBuddy(component);
    Label2->setBuddy(cmt);
    cmt->setLayoutDirection(Qt::RightToLeft);
    ins_btn = new QPushButton(this);
    ins_btn->setObjectName(QStringLiteral("ins_btn"));
    ins_btn->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ins_btn->setIconSize(QSize(20, 20));
    ins_btn->setFixedSize(36, 28);

    DBGrid1 = new DbGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setQuery(app::dm->ADOQ_set);
    DBGrid1->setColumns({
        {QStringLiteral("id"), QString(), 0, true},
        {QStringLiteral("component"), QStringLiteral("عنوان اطلاعات"), 100},
        {QStringLiteral("cmt"), QStringLiteral("توضيحات"), 250},
        {QStringLiteral("def"), QStringLiteral("پيشفرض"), 50},
    });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    N2 = PopupMenu1->addAction(QStringLiteral("پيش فرض"));
    N2->setObjectName(QStringLiteral("N2"));
    N1 = PopupMenu1->addAction(QStringLiteral("حذف"));
    N1->setObjectName(QStringLiteral("N1"));
    DBGrid1->setPopupMenu(PopupMenu1);
    // The item column takes what the other two leave of the grid's width, so
    // the three fit without a horizontal scrollbar whatever the row numbers'
    // and the scrollbar's widths.
    DBGrid1->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    Label3 = new QLabel(QStringLiteral("*در صورتيكه مي خواهيد يك آيتم بصورت پيش فرض باشد بر روي آن كليك راست نماييد"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setLayoutDirection(Qt::RightToLeft);
    Label3->setWordWrap(true);
    QPalette hint = Label3->palette();
    hint.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label3->setPalette(hint);

    auto *chooserRow = new QHBoxLayout;
    chooserRow->addWidget(Label1);
    chooserRow->addWidget(component, 1);
    auto *itemRow = new QHBoxLayout;
    itemRow->addWidget(Label2);
    itemRow->addWidget(cmt, 1);
    itemRow->addWidget(ins_btn);
    // Both captions take the same width so that the two inputs line up.
    const int captionWidth = qMax(Label1->sizeHint().width(), Label2->sizeHint().width());
    Label1->setFixedWidth(captionWidth);
    Label2->setFixedWidth(captionWidth);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(chooserRow);
    layout->addLayout(itemRow);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(Label3);

    connectGuarded(component, &ComboBox::changed, this, [this] { componentChange(); });
    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
}

void Tsetting::componentChange()
{
    Query &q = *app::dm->ADOQ_set;
    q.clear();
    q.add(lookupListInOrder(component->text()));
    q.open();
}

void Tsetting::ins_btnClick()
{
    // An item needs a text and a list to belong to: one under the empty list
    // name is read by no page, and blanks alone show as an empty choice (or,
    // as a deletion password, one no one could know to type).
    if (cmt->text().trimmed().isEmpty() || component->text().isEmpty()) {
        showMessage(QStringLiteral("لطفا مقدار مناسب را وارد نماييد"));
        return;
    }
    // A rate is counted by the trip entry and stored with each trip: a text
    // that is no amount ("1500 ریال") would count as nothing and be refused
    // at every save of a new trip, a negative or huge one would give
    // negative amounts or none that fit.
    if (isRateList(component->text())) {
        if (const QString refusal = rateRefusal(component->text(), cmt->text()); !refusal.isEmpty()) {
            showMessage(refusal);
            return;
        }
    }
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    // The same item with the other form of kaf or yeh is a duplicate too.
    q.add(lookupListStatement(component->text()) + QStringLiteral(" and ") + q.connection()->dialect().equalsText(QStringLiteral("cmt"), cmt->text()));
    q.open();
    if (q.recordCount() > 0) {
        showMessage(QStringLiteral("تكراري است"));
        return;
    }
    // A list read as one value uses its first item only: a second one would
    // be stored and shown, yet never take effect.
    if (isSingleValueList(component->text())) {
        q.clear();
        q.add(lookupListStatement(component->text()));
        q.open();
        if (q.recordCount() > 0) {
            showMessage(QStringLiteral("اين عنوان فقط يك مقدار دارد و مقدار ثبت شده قبلي بكار مي رود؛ براي تغيير، ابتدا مقدار قبلي را حذف نماييد"));
            return;
        }
    }
    requireFitsIn(component, *q.connection(), QStringLiteral("setting"), QStringLiteral("component"), component->text());
    requireFitsIn(cmt, *q.connection(), QStringLiteral("setting"), QStringLiteral("cmt"), cmt->text());
    q.clear();
    q.add(QStringLiteral("insert into setting (component,cmt) values (") + quoted(component->text()) + QLatin1Char(',') + quoted(cmt->text())
          + QLatin1Char(')'));
    q.execute();
    showMessage(QStringLiteral("ثبت شد"));
    componentChange();
}

// The list name and item text of the grid's current row, also put into the
// chooser and the item edit. The statements use the row's own values: the
// chooser shows only the offered names, and a row of any other list must not
// be taken for one of the empty name.
Tsetting::Item Tsetting::takeCurrentItem()
{
    Query &q = *app::dm->ADOQ_set;
    const Item item{currentText(q, QStringLiteral("component")), currentText(q, QStringLiteral("cmt"))};
    component->setText(item.list);
    cmt->setText(item.text);
    return item;
}

void Tsetting::reopenList(const QString &list)
{
    Query &q = *app::dm->ADOQ_set;
    q.clear();
    q.add(lookupListInOrder(list));
    q.open();
}

void Tsetting::N2Click()
{
    Query &q = *app::dm->ADOQ_set;
    const bool rowShown = q.isOpen() && !q.isEmpty();
    const Item item = takeCurrentItem();
    // The old default goes only together with the new one: a failure between
    // the two statements, or an item deleted on another workstation since
    // the list was read, leaves the list with the default it had.
    // The statements run on the grid's own query, which closes it: the list
    // is read again whether the new default was taken or refused.
    try {
        q.connection()->transaction([&] {
            q.clear();
            q.add(QStringLiteral("Update setting set def=") + quoted(QString()) + QStringLiteral(" where component=") + quoted(item.list));
            q.execute();
            q.clear();
            q.add(QStringLiteral("Update setting set def=1 where component=") + quoted(item.list) + QStringLiteral(" and cmt=")
                  + quoted(item.text));
            if (q.execute() == 0 && rowShown)
                throw DataError(Query::changedByAnotherUser());
        });
    } catch (const DataError &) {
        reopenList(item.list);
        throw;
    }
    reopenList(item.list);
}

void Tsetting::N1Click()
{
    const Item item = takeCurrentItem();
    Query &q = *app::dm->ADOQ_set;
    q.clear();
    q.add(QStringLiteral("delete from setting where component=") + quoted(item.list) + QStringLiteral(" and cmt=") + quoted(item.text));
    q.execute();
    reopenList(item.list);
}
