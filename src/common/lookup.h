#pragma once
#include <QString>

class ComboBox;
class Query;

// The two ways the pages read the lookup lists of table `setting`.

// Every reading of a list takes its rows in the order they were added (by
// id), the same on every engine and whatever rewrites the rows since: the
// first item, the single value, does not change when a default is marked.

// Fills a combo box with the items of a list, in the order they were added,
// through the shared lookup query. The combo's text is left as it is and
// no item is selected.
void fillComboFromList(const QString &listName, ComboBox *combo);

// A single-valued setting: the `cmt` of the first row of the list, or the
// empty text when the list is empty. The query stays open on the list.
QString singleValue(const QString &listName, Query &query);

// Whether a list is read as a single value (the deletion password, the two
// trip rates, the two signatories): an item added after its first is never read.
bool isSingleValueList(const QString &listName);

// The lists of the trip's two rates: each holds the one amount a new trip
// counts with and stores.
inline const QString KilometreRateList = QStringLiteral("مبلغ هر کيلومتر");
inline const QString HourRateList = QStringLiteral("مبلغ هر ساعت");
bool isRateList(const QString &listName);
// What a rate list refuses to take as its amount, in a message naming the
// list; empty for an amount from 0 up to the highest rate, at which a trip of
// 100,000 kilometres and as many hours still fits the amount column.
QString rateRefusal(const QString &listName, const QString &text);

// Replaces the county items with the counties of the province as typed, its
// kaf, yeh and digits in any form; the county text stays.
void fillCounties(ComboBox *counties, const QString &province);

// The statement line that selects every row of one list, with no order.
QString lookupListStatement(const QString &listName);
// The same rows in the order they were added.
QString lookupListInOrder(const QString &listName);
