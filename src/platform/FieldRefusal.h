#pragma once
#include <QString>
#include <QVariant>

class Connection;
class DataError;
class QWidget;

// A refusal at the field whose text it is about, whatever the window: the
// message names the field by its caption, as the window shows it, never by
// its column, and the focus goes into the field.

// The caption a field is shown under: the text of the label whose buddy it
// is; its object name when no label names it.
QString captionOf(const QWidget *field);

// Puts the focus into the field and raises DataError with `message`, keeping
// the engine's error of the error it stands for.
[[noreturn]] void refuseAt(QWidget *field, const QString &message, const DataError &cause);

// Holds a value a window writes into `column` of `table` to that column (see
// requireFits), at the field it came from.
void requireFitsIn(QWidget *field, Connection &connection, const QString &table, const QString &column, const QVariant &value);
