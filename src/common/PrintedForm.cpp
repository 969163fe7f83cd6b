#include "PrintedForm.h"
#include "platform/Platform.h"
#include "platform/Report.h"

// Placeholder behaviour until the report engine lands: values are kept in the
// report object's dynamic properties.
PrintedForm::PrintedForm(const QString &name, QWidget *parent) : QDialog(parent), QuickRep1(new Report(this))
{
    setObjectName(name);
    QuickRep1->setObjectName(QStringLiteral("QuickRep1"));
}

void PrintedForm::setValue(const QString &labelName, const QString &text)
{
    QuickRep1->setProperty(labelName.toUtf8().constData(), text);
}

QString PrintedForm::value(const QString &labelName) const
{
    return QuickRep1->property(labelName.toUtf8().constData()).toString();
}

QStringList PrintedForm::valueNames() const
{
    QStringList out;
    for (const QByteArray &n : QuickRep1->dynamicPropertyNames())
        out << QString::fromUtf8(n);
    return out;
}

void PrintedForm::preview()
{
    platform().printPreview(*QuickRep1);
}
