#include "lookup.h"
#include "EntryWindow.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/Connection.h"
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
