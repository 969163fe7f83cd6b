#include "ListSearch.h"
#include "EntryWindow.h"
#include "admin/users_u.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/Query.h"
#include <QLabel>
#include <QWidget>

QString likeCondition(const QString &column, const QString &text)
{
    return QStringLiteral(" and ") + app::dm->ADOConnection1->dialect().containsText(column, text);
}

QString rangeCondition(const QString &column, const QString &from, const QString &to)
{
    return QStringLiteral(" and ") + app::dm->ADOConnection1->dialect().textBetween(column, from, to);
}

QStringList filterConditions(const QList<TextFilter> &filters)
{
    QStringList lines;
    for (const TextFilter &f : filters)
        if (f.field->isEnabled())
            lines << likeCondition(f.column, controlText(f.field));
    return lines;
}

QString countyRestriction()
{
    const QString level = app::users->level->text();
    if (level != QLatin1String("city") && level != QLatin1String("ostan"))
        return QString();
    return QStringLiteral(" and shahrestan in ( select cmt from dastrasi2 where user_id=") + quoted(app::users->prs_id->text())
        + QStringLiteral(")");
}

namespace {
void openStatement(Query &query, const QString &head, const QStringList &conditions, const QStringList &tail)
{
    query.clear();
    query.add(head);
    for (const QString &line : conditions)
        query.add(line);
    for (const QString &line : tail)
        query.add(line);
    query.open();
}
} // namespace

void ListSearch::count(Query &query, QLabel *cnt) const
{
    openStatement(query, countLine, conditions, {});
    cnt->setText(query.field(QStringLiteral("c")).asString());
}

void ListSearch::rows(Query &query) const
{
    openStatement(query, rowLine, conditions, rowTail);
}

void ListSearch::run(Query &countQuery, QLabel *cnt, Query &rowQuery) const
{
    count(countQuery, cnt);
    rows(rowQuery);
}

QStringList restrictedFilterConditions(const QList<TextFilter> &filters)
{
    QStringList lines;
    const QString restriction = countyRestriction();
    if (!restriction.isEmpty())
        lines << restriction;
    return lines + filterConditions(filters);
}
