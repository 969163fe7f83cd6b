#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;
class Query;

// The search of the lists, in two passes over the same condition lines: a
// count into the list's count label, then the rows into the list's own query.

// A text filter of a list: switched on while its field is enabled, it keeps
// the rows whose `column` contains the field's text.
struct TextFilter {
    QString column;
    QWidget *field;
};

// " and <column> like '%<text>%'" in the engine's folded form: either form
// of kaf and yeh and either case of a Latin letter, typed or stored, match
// (see Dialect::containsText). The text is quoted; "%" and "_" in it stay
// wildcards; an empty text gives "%%", which drops only the NULLs.
QString likeCondition(const QString &column, const QString &text);

// " and <column> between '<from>' and '<to>'" on one line, in the engine's
// folded form: a range of Jalali date texts compared as text, both ends
// included, each date however its digits are written (see
// Dialect::textBetween); a blank bound is compared as the blank text it is.
QString rangeCondition(const QString &column, const QString &from, const QString &to);

// The lines of the switched-on filters, in the order given.
QStringList filterConditions(const QList<TextFilter> &filters);

// For a current user whose level text is exactly "city" or "ostan": the line
// that keeps the rows of the counties listed for that user in dastrasi2.
// Empty for every other level.
QString countyRestriction();

// The first lines of the three lists' searches: the county restriction (when
// the current user's level asks for it), then the switched-on filters' lines.
QStringList restrictedFilterConditions(const QList<TextFilter> &filters);

// The statements of one list search. The count line and the row line each
// start their statement; `conditions` follow in both, one SQL line each;
// `rowTail` (an ORDER BY, say) ends the row statement only.
struct ListSearch {
    QString countLine;
    QString rowLine;
    QStringList conditions;
    QStringList rowTail;

    // Opens the count statement on `query` and puts its column "c" into `cnt`
    // as text. The query stays open on that one row (for lists that read sums
    // beside the count).
    void count(Query &query, QLabel *cnt) const;
    // Opens the row statement on the list's query.
    void rows(Query &query) const;
    // Both passes: the count first, then the rows.
    void run(Query &countQuery, QLabel *cnt, Query &rowQuery) const;
};
