#include "PrintedForm.h"
#include "platform/Jpeg.h"
#include "platform/Platform.h"
#include "platform/Report.h"

PrintedForm::PrintedForm(const QString &name, const QString &caption, QWidget *parent) : QDialog(parent), QuickRep1(new Report(this))
{
    setObjectName(name);
    setLayoutDirection(Qt::RightToLeft);
    QuickRep1->setObjectName(QStringLiteral("QuickRep1"));
    QuickRep1->setTitle(caption);
    setWindowTitle(caption);
}

ReportLabel *PrintedForm::valueLabel(const QString &labelName) const
{
    ReportLabel *l = QuickRep1->label(labelName);
    return l && l->isValueLabel() ? l : nullptr;
}

void PrintedForm::setValue(const QString &labelName, const QString &text)
{
    if (ReportLabel *l = valueLabel(labelName))
        l->setText(text);
    else
        m_unplaced.insert(labelName, text);
}

QString PrintedForm::value(const QString &labelName) const
{
    if (const ReportLabel *l = valueLabel(labelName))
        return l->text();
    return m_unplaced.value(labelName);
}

QStringList PrintedForm::valueNames() const
{
    QStringList out;
    for (const ReportLabel *l : QuickRep1->valueLabels())
        out << l->objectName();
    return out;
}

void PrintedForm::preview()
{
    platform().printPreview(*QuickRep1);
}

// The pictures are compiled into the platform library; a static library's
// resources are registered by hand.
static void registerPictures() { Q_INIT_RESOURCE(resources); }

QImage PrintedForm::logo()
{
    static const QImage picture = [] {
        registerPictures();
        return loadJpeg(QStringLiteral(":/pictures/logo.jpg"));
    }();
    return picture;
}

QString PrintedForm::organisationName()
{
    return QStringLiteral("شرکت کاروند ديسا");
}

QString PrintedForm::documentCode()
{
    return QStringLiteral("کد: KD-FR-07");
}

QString PrintedForm::documentRevision()
{
    return QStringLiteral("ويرايش: 02");
}
