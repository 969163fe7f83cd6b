#include "FieldRefusal.h"
#include "ColumnLimits.h"
#include "DataError.h"
#include <QLabel>

QString captionOf(const QWidget *field)
{
    if (field->parentWidget())
        for (const QLabel *label : field->parentWidget()->findChildren<QLabel *>())
            if (label->buddy() == field && !label->text().trimmed().isEmpty())
                return label->text().trimmed();
    return field->objectName();
}

void refuseAt(QWidget *field, const QString &message, const DataError &cause)
{
    field->setFocus(Qt::OtherFocusReason);
    throw DataError(message, cause.engineError());
}

void requireFitsIn(QWidget *field, Connection &connection, const QString &table, const QString &column, const QVariant &value)
{
    try {
        requireFits(connection, table, column, value, captionOf(field));
    } catch (const DataError &error) {
        refuseAt(field, error.message(), error);
    }
}
