#pragma once
#include <QString>

class Connection;

// Makes a database ready for a newcomer: the program's own tables (through
// the schema blocks), the provinces-and-counties table `abadiha` and the
// county-rights table `dastrasi2`, and the lookup values the program compares
// with fixed texts. Running it again changes nothing. Throws DataError.
//
// provincesCsv: a file with the header "ostan,shahrestan"; its rows are
// loaded when `abadiha` is still empty. The empty text loads nothing.
void prepareDatabase(Connection &connection, const QString &provincesCsv);

// Reads a provinces-and-counties file: pairs of (province, county).
// Throws DataError with a Persian message when it cannot be read.
QList<QPair<QString, QString>> readProvincesCsv(const QString &path);
