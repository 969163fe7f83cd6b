#pragma once
#include <QList>
#include <QPair>
#include <QString>

class Query;

// Writes the rows a list holds into a new workbook with one sheet "Sheet1"
// and opens it with the spreadsheet program: row 1 carries the titles (a
// field without a pair in `titles` keeps its name), then one row per record
// in the query's current order, every value as trimmed text. Afterwards the
// query's current row is its last row.
//
// The file is new, in the temporary folder, named after the list and today's
// Jalali date ("ليست پرسنل 1403-05-12.xlsx", then "... (2).xlsx" and so on),
// with the user's usual file permissions. When no program opens it, the
// default error box says so and gives the file's full path.
void exportToSpreadsheet(Query &query, const QList<QPair<QString, QString>> &titles, const QString &listName);

// The personnel list's title table: field name, column title.
const QList<QPair<QString, QString>> &personnelTitles();
