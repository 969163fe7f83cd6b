#include "taradod_frm_kharej_u.h"
#include "taradod_frm_layout.h"
#include "platform/Report.h"

void Ttaradod_frm_kharej::layOutDocumentControl(ReportBand *header, double left)
{
    const QString titr = QStringLiteral("Titr");
    const QString texts[] = {documentCode(), documentRevision()};
    const double tops[] = {10.6, 18.0};
    for (int i = 0; i < 2; ++i) {
        header->rectangle(left, tops[i], 29.9, 7.7);
        header->label(texts[i], titr, 10, true)->placeBox(left + 0.5, tops[i], 28.9, 7.7, Qt::AlignCenter)->setShrinkToFit(true);
    }
}

void Ttaradod_frm_kharej::layOutOrganisationName(ReportBand *header)
{
    ReportLabel *name = header->label(organisationName(), QStringLiteral("Titr"), 10, true);
    name->placeBox(38.9, 1.1, 50.3, name->lineHeight(), Qt::AlignCenter);
    name->setShrinkToFit(true);
}

Ttaradod_frm_kharej::Ttaradod_frm_kharej(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_kharej"), QStringLiteral("حکم ماموريت خودرو خارج از شهر - برگ آرم دار"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);

    // For paper that carries the logo already: the name, the framed title and
    // the document-control box.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 35.7);
    header->setPrintOn(ReportBand::FirstPage);
    layOutOrganisationName(header);
    header->rectangle(67.5, 10.6, 36.2, 15.1);
    ReportLabel *title = header->label(QStringLiteral("حکم ماموريت خودرو خارج از شهر"), QStringLiteral("Titr"), 12, true);
    title->placeBox(69.1, 10.8, 32.3, 14.3, Qt::AlignCenter);
    title->setWordWrap(true);
    title->setShrinkToFit(true);
    layOutDocumentControl(header, 37.8);

    layOutMissionOrder(r.addBand(ReportBand::Type::Detail, 153.2));
}
