#pragma once
#include <QString>

class ComboBox;
class Query;

// The two ways the pages read the lookup lists of table `setting`.

// Fills a combo box with the items of a list, in the order the server returns
// them, through the shared lookup query. The combo's text is left as it is and
// no item is selected.
void fillComboFromList(const QString &listName, ComboBox *combo);

// A single-valued setting: the `cmt` of the first row of the list, or the
// empty text when the list is empty. The query stays open on the list.
QString singleValue(const QString &listName, Query &query);

// The statement line that selects every row of one list.
QString lookupListStatement(const QString &listName);
