#include "lookup.h"
#include "EntryWindow.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/Connection.h"
#include "platform/Money.h"
#include <QStringList>

QString lookupListStatement(const QString &listName)
{
    return QStringLiteral("select * from setting where component=") + quoted(listName);
}

QString lookupListInOrder(const QString &listName)
{
    return lookupListStatement(listName) + QStringLiteral(" order by id");
}

bool isSingleValueList(const QString &listName)
{
    static const QStringList names{
        QStringLiteral("رمز حذف"),
        QStringLiteral("رئيس اداره تدارکات و پشتيباني"),
        HourRateList,
        KilometreRateList,
        QStringLiteral("معاون پشتيباني"),
    };
    return names.contains(listName);
}

bool isRateList(const QString &listName)
{
    return listName == KilometreRateList || listName == HourRateList;
}

QString rateRefusal(const QString &listName, const QString &text)
{
    // Money keeps 922,337,203,685,477.5807 at most: 200,000 units at this
    // rate stay well within it.
    constexpr qint64 highestRate = 1000000000;
    Money rate;
    if (!Money::parse(text, &rate))
        return QStringLiteral("براي «%1» فقط يك مبلغ به عدد پذيرفته مي شود، مانند 1500 يا 12.5").arg(listName);
    if (rate.units < 0 || rate.units > highestRate * Money::Scale)
        return QStringLiteral("مبلغ «%1» بايد از 0 تا 1,000,000,000 باشد").arg(listName);
    return QString();
}

namespace {
void openList(const QString &listName, Query &query)
{
    query.clear();
    query.add(lookupListInOrder(listName));
    query.open();
}
} // namespace

void fillComboFromList(const QString &listName, ComboBox *combo)
{
    Query &q = *app::dm->ADOQ_set;
    openList(listName, q);
    const int cmt = q.columnIndex(QStringLiteral("cmt"));
    QStringList items;
    for (int row = 0; row < q.recordCount(); ++row)
        items << q.textAt(row, cmt);
    combo->setItems(items);
}

QString singleValue(const QString &listName, Query &query)
{
    openList(listName, query);
    if (query.isEmpty())
        return QString();
    query.first();
    return query.field(QStringLiteral("cmt")).asString();
}

void fillCounties(ComboBox *counties, const QString &province)
{
    Query &q = *app::dm->ADOQ_set;
    fillComboFromStatement(counties, q,
                           QStringLiteral("select distinct shahrestan from abadiha where ")
                               + q.connection()->dialect().equalsText(QStringLiteral("ostan"), province),
                           QStringLiteral("shahrestan"));
}
