#pragma once
#include <QList>
#include <QPair>
#include <QString>

class Connection;

// Pairs of (province, county), in the order they are loaded.
using ProvinceList = QList<QPair<QString, QString>>;

// Makes a database ready for a newcomer: the program's own tables (through
// the schema blocks), the provinces-and-counties table `abadiha` and the
// county-rights table `dastrasi2`, and the lookup values the program compares
// with fixed texts. Running it again changes nothing. Throws DataError.
//
// provincesCsv: a file with the header "ostan,shahrestan"; its rows are
// loaded when `abadiha` is still empty. The empty text loads nothing.
void prepareDatabase(Connection &connection, const QString &provincesCsv);
// The same with the pairs given; an empty list loads nothing.
void prepareDatabase(Connection &connection, const ProvinceList &provinces);

// Reads a provinces-and-counties file: pairs of (province, county).
// Throws DataError with a Persian message when it cannot be read.
ProvinceList readProvincesCsv(const QString &path);

// Iran's 31 provinces and their counties, as the program ships them.
ProvinceList shippedProvinces();
