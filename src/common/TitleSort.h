#pragma once
#include <QString>

class DbGrid;

// The column-title sort of the lists: a click on a column's title sorts the
// rows already fetched by that column, ascending at the first click and then
// turn about, and shows that title in bold. Each list keeps one of these for
// the whole run: it remembers the title it made bold.
class TitleSort {
public:
    // The sort text after a click on the title of `field` while `current` is
    // in force: descending when the rows are sorted by exactly that field and
    // not descending yet, ascending otherwise. Only the whole field name
    // counts, so "govahiname_nomre ASC" does not turn a click on
    // "govahiname_no" into a descending sort.
    static QString nextSort(const QString &current, const QString &field);

    // Handles a click on the title of the grid's column `column`.
    void click(DbGrid *grid, int column);

    // The column whose title is bold, -1 before the first click.
    int boldColumn() const { return m_boldColumn; }

private:
    int m_boldColumn = -1;
};
