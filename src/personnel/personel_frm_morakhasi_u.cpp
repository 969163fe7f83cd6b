#include "personel_frm_morakhasi_u.h"
#include "platform/Report.h"

namespace {

const QString zar = QStringLiteral("Zar");

// A piece of a sentence: a fixed text, or a blank (a value label) of some room.
struct Piece {
    QString text;      // fixed text; empty for a blank
    QString blank;     // the blank's label name
    double room = 0;   // the blank's width in mm
    bool strong = false; // a fixed text in the blanks' size and weight
};

Piece text(const QString &t) { return Piece{t, {}, 0, false}; }
Piece strong(const QString &t) { return Piece{t, {}, 0, true}; }
Piece blank(const char *name, double room) { return Piece{{}, QString::fromLatin1(name), room, false}; }

constexpr double lineStart = 2.9; // mm from the band's right edge
constexpr double gap = 1.2;       // between the pieces of a sentence

// Lays a sentence out from the right edge, the blanks in Zar 12 bold and the
// texts in Zar 10 on one baseline. Blanks give up room when the line is full.
void sentence(ReportBand *band, double top, const QVector<Piece> &pieces)
{
    QVector<ReportLabel *> labels;
    double fixed = 0, rooms = 0;
    for (const Piece &p : pieces) {
        ReportLabel *l = p.text.isEmpty() ? band->valueLabel(p.blank, zar, 12, true)
                                          : band->label(p.text, zar, p.strong ? 12 : 10, p.strong);
        labels << l;
        fixed += p.text.isEmpty() ? gap : l->textWidth() + gap;
        rooms += p.room;
    }
    const double available = band->width() - lineStart - 1.0;
    const double share = rooms > 0 ? qMin(1.0, (available - fixed) / rooms) : 1.0;

    ReportLabel probe(band);
    probe.setFont(zar, 12, true);
    const double baseline = probe.ascent();
    double right = band->width() - lineStart; // from the band's left edge
    for (int i = 0; i < pieces.size(); ++i) {
        const Piece &p = pieces[i];
        ReportLabel *l = labels[i];
        if (p.text.isEmpty()) {
            const double w = p.room * share;
            l->placeBox(right - w, top, w, l->lineHeight(), Qt::AlignRight | Qt::AlignTop);
            l->setShrinkToFit(true);
            right -= w + gap;
        } else {
            l->placeRight(band->width() - right, top + baseline - l->ascent());
            right = l->geometry().left() - gap;
        }
    }
}

} // namespace

Tpersonel_frm_morakhasi::Tpersonel_frm_morakhasi(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_morakhasi"), QStringLiteral("مرخصي روزانه"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 36.8);
    const double width = header->width();
    header->image(logo(), header->fromRight(0.5, 18.3), 0.5, 18.3, 23.0);

    ReportLabel *title = header->label(organisationName() + QStringLiteral(" استان"), QStringLiteral("Titr"), 10, true)->placeCentre(1.0);
    const double ostanRight = title->geometry().left() - 1.0;
    header->valueLabel(QStringLiteral("ostan"), QStringLiteral("Titr"), 10, true)
        ->placeBox(ostanRight - 26.0, 1.0, 26.0, title->lineHeight(), Qt::AlignRight | Qt::AlignTop)
        ->setShrinkToFit(true);

    header->label(QStringLiteral("شماره:"), zar, 10)->placeRight(101.9, 0.5);
    header->label(QStringLiteral("تاريخ:"), zar, 10)->placeRight(102.1, 8.5);

    const double boxLeft = header->fromRight(30.2, 51.0);
    header->rectangle(boxLeft, 16.9, 51.0, 14.3);
    header->label(QStringLiteral("برگ درخواست مرخصي روزانه"), zar, 12, true)
        ->placeBox(boxLeft, 16.9, 51.0, 14.3, Qt::AlignCenter);

    const double controlLeft = boxLeft - 1.5 - 25.6;
    header->rectangle(controlLeft, 16.9, 25.6, 7.4);
    header->label(documentCode(), zar, 9)->placeBox(controlLeft, 16.9, 25.6, 7.4, Qt::AlignCenter)->setShrinkToFit(true);
    header->rectangle(controlLeft, 24.3, 25.6, 7.1);
    header->label(documentRevision(), zar, 9)->placeBox(controlLeft, 24.3, 25.6, 7.1, Qt::AlignCenter)->setShrinkToFit(true);

    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 135.5);
    sentence(detail, 6.3, {text(QStringLiteral("اينجانب")), blank("lname", 30), text(QStringLiteral("سمت")), strong(QStringLiteral("راننده")),
                           text(QStringLiteral("از قسمت")), strong(QStringLiteral("اداره خدمات")), text(QStringLiteral("تقاضاي")), blank("roz", 10),
                           text(QStringLiteral("روز"))});
    sentence(detail, 15.1, {text(QStringLiteral("مرخصي استحقاقي/استعلاجي از تاريخ")), blank("birthday", 24), text(QStringLiteral("لغايت")),
                            blank("khodro", 24), text(QStringLiteral("دارم."))});
    detail->label(QStringLiteral("امضاء کارمند"), zar, 10, true)->placeRight(92.1, 31.8);
    detail->horizontalRule(width - 9.0 - 112.5, 42.1, 112.5, 0.8);

    detail->label(QStringLiteral("نظر مسئول"), zar, 10)->placeRight(lineStart, 46.3);
    sentence(detail, 56.9, {text(QStringLiteral("با مدت")), blank("phone", 12), text(QStringLiteral("روز مرخصي فوق موافقت/مخالفت مي شود."))});
    sentence(detail, 66.4, {text(QStringLiteral("ضمنا کارهاي محوله به ايشان در مدت مرخصي توسط برادر/خواهر")), blank("fname", 30),
                            text(QStringLiteral("انجام خواهد شد."))});
    detail->label(QStringLiteral("امضاء مسئول"), zar, 10, true)->placeRight(92.6, 80.2);
    detail->horizontalRule(width - 9.0 - 112.5, 92.6, 112.5, 0.8);

    sentence(detail, 97.6, {text(QStringLiteral("با توجه به ضوابط و پرونده پرسنلي برادر/خواهر")), blank("model", 30),
                            text(QStringLiteral("ايشان مي توانند مدت")), blank("adr", 12)});
    sentence(detail, 105.6, {text(QStringLiteral("روز از مرخصي مورد تقاضا استفاده نمايند."))});
    detail->label(QStringLiteral("امضاء مسئول کارگزيني"), zar, 10, true)->placeRight(87.3, 122.5);
}
