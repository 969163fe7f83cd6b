#pragma once
#include <QString>
#include <QVariant>

class Connection;

// What a column's declared type allows beyond its kind: the length of a text
// column and the range of an integer column. SQLite keeps whatever it is
// given, so the data layer holds every engine to these limits itself, and a
// database kept on SQLite can always move to a server engine.
struct ColumnLimit {
    int length = 0;      // characters; 0: no declared length
    bool ranged = false; // an integer column with the range below
    qint64 minimum = 0;
    qint64 maximum = 0;
};

// The limit a declared type sets: "nvarchar(10)", "character varying(10)",
// "int", "integer", "smallint", "bigint", "tinyint".
ColumnLimit columnLimitOfDeclaredType(const QString &declared);

// Raises DataError, in the words of the conversion errors, when a value does
// not fit column `column` of `table`: a text longer than the column's length
// or holding a NUL character, an integer outside the column's range, a
// number that is not finite. The message names the field `shownAs` (the
// caption a window shows it under), or the column when that is empty.
void requireFits(Connection &connection, const QString &table, const QString &column, const QVariant &value,
                 const QString &shownAs = QString());

// A text the program writes itself, cut to the column's length; to
// `createdLength` (the length the program creates the column with) when the
// database's own cannot be read.
QString fitToColumn(Connection &connection, const QString &table, const QString &column, const QString &text,
                    int createdLength = 0);

// The refusal of a text holding a NUL character, which some engines cut
// short and others refuse with a driver's message.
QString nulCharacterMessage(const QString &column);
