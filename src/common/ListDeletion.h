#pragma once
#include <QString>
#include <QStringList>

class Query;

// What one list's password-guarded deletion is made of.
struct DeletionSpec {
    QString table;          // the list's table; its rows are found by `id`
    QString childTable;     // rows that belong to the deleted row; empty: none
    QString childKey;       // the child table's column holding the row's id
    QString logText;        // the log row's operation text, before the fields
    QStringList logFields;  // columns of the current row appended to it, blank-separated
};

// The password-guarded deletion of a list's current row: asks for the
// deletion password (the lookup list "رمز حذف"), and on an exact match of the
// text confirmed with OK deletes the row and its child rows and writes the
// log row, all in one transaction, then reopens the list's query with its last
// statement and says "حذف شد". A row already deleted by another workstation
// deletes and logs nothing; the query is reopened and the user told so. A
// wrong password or a cancelled box ends it silently. With no current row (a
// closed or empty result set) nothing happens at all. A failure rolls the
// whole deletion back and goes on to the error box. True when a row was
// deleted.
bool deleteCurrentRow(Query &rows, const DeletionSpec &deletion);

// Tells the user how a deletion went: "حذف شد", or, when it removed no row
// because another workstation deleted it first, that it was already
// deleted. A count the engine cannot tell (-1) is taken for a row deleted.
void reportDeletion(int rowsRemoved);
