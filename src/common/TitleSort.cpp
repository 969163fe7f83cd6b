#include "TitleSort.h"
#include "platform/DbGrid.h"

QString TitleSort::nextSort(const QString &current, const QString &field)
{
    const QString sortedBy = current.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (sortedBy == field && !current.contains(QLatin1String(" DESC")))
        return field + QLatin1String(" DESC");
    return field + QLatin1String(" ASC");
}

void TitleSort::click(DbGrid *grid, int column)
{
    // One bold title at a time: making the clicked title bold makes the one
    // kept from the previous click plain again.
    grid->queryModel()->setBoldTitle(column);
    m_boldColumn = column;
    Query *rows = grid->query();
    if (!rows || !rows->isOpen())
        return;
    rows->setSort(nextSort(rows->sort(), grid->queryModel()->fieldOf(column)));
}
