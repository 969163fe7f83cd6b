#pragma once
#include "common/Page.h"
#include "platform/DataError.h"
#include "platform/Money.h"
#include <QHash>
#include <QList>
#include <optional>

class ClickLabel;
class ComboBox;
class MaskEdit;
class QLineEdit;
class QPushButton;
class Query;
class TMonEdit;

// Trip entry: records a new row of `taradod` or changes the trip list's
// current one. Only the trip list shows it, after setting every field (new:
// emptied with today's date and the rates; edit: loaded from the current row)
// and calling typChange and ostanChange itself, since setting a combo box's
// text from code runs no change handler.
//
// A driver is chosen from the persons whose post is "راننده"; the driver's
// vehicles are the `khodro` rows whose owner text is the driver's full name
// for a rental driver and the organisation's own owner text otherwise; one
// vehicle fills vehicle and plate at once. The amount is kilometres worked
// times the rate per kilometre plus hours worked times the rate per hour.
class Ttaradod_ins : public Page {
    Q_OBJECT
public:
    explicit Ttaradod_ins(QWidget *parent = nullptr);

    // One field per column of `taradod`, each named as its column.
    ComboBox *typ;
    ComboBox *nahve;
    ComboBox *ranande;
    ComboBox *mamor;
    ComboBox *loc;
    ComboBox *mamor_cmt;
    ComboBox *khodro;
    ComboBox *pelak;
    ComboBox *ostan;
    ComboBox *shahrestan;
    MaskEdit *dat1;
    MaskEdit *dat2;
    MaskEdit *saat1;
    MaskEdit *saat2;
    QLineEdit *kilometr1;
    QLineEdit *kilometr2;
    QLineEdit *taradod_cmt;
    QLineEdit *tavaghof;
    QLineEdit *karkard_kilometr;
    QLineEdit *karkard_saat;
    TMonEdit *mablagh_kilometr;
    TMonEdit *mablagh_saat;
    QLineEdit *mablagh;

    // The labels of the date and time fields: a click toggles the field
    // between blank and now.
    ClickLabel *Label8;
    ClickLabel *Label9;
    ClickLabel *Label10;
    ClickLabel *Label11;

    QPushButton *ins_btn;
    QPushButton *edit_btn;

    // The 23 fields in the order their columns are written.
    const QList<QWidget *> &fields() const { return m_fields; }

    void FormShow() override;
    void ostanChange();
    void nahveChange();
    void ranandeChange();
    void khodroChange();
    void mamorChange();
    void typChange();
    void mablaghEnter();
    void karkard_kilometrChange() { mablaghEnter(); }
    void karkard_saatChange() { mablaghEnter(); }
    void mablagh_kilometrChange() { mablaghEnter(); }
    void mablagh_saatChange() { mablaghEnter(); }
    void karkard_kilometrExit();
    void karkard_saatExit();
    void Label8Click();
    void Label9Click();
    void Label10Click();
    void Label11Click();
    void ins_btnClick();
    void edit_btnClick();

    // The amount of a trip: hours × rate per hour + kilometres × rate per
    // kilometre, worked exactly on the decimals and rounded to the money
    // type (the nearest ten-thousandth, ties to even). Kilometres and hours
    // are number texts as every number field takes them ("12.5", " -1e2 ",
    // "۱٬۲۰۰"). Throws DataError for a text that is no number, and
    // AmountBeyondRange, a DataError too, for a result outside the money range.
    struct AmountBeyondRange : DataError {
        using DataError::DataError;
    };
    static Money tripAmount(const QString &kilometres, const Money &kilometreRate, const QString &hours, const Money &hourRate);

    // "fname" + " " + "lname" of `personel` in the engine's own text
    // concatenation: the full name by which trips name a person.
    static QString fullNameExpression(const Query &query);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A rate named while the window was open is named again at its next opening.
    void hideEvent(QHideEvent *event) override;

private:
    // A rate's amount; empty when its text is no amount, which is named
    // to the user (with its list) once for each such text while the window
    // is open.
    std::optional<Money> rate(TMonEdit *field, const QString &listName);
    QHash<QString, QString> m_unreadableRates; // list name -> text last named
    // The last count gave an amount beyond the money range: named once when
    // it went beyond, refused by the save.
    bool m_amountBeyondRange = false;
    // The owner text of the chosen driver's vehicles.
    QString vehicleOwner() const;
    // The checks before a row is written; false when one refused it.
    bool requiredFieldsGiven();
    bool blockingCheckPassed(const QString &exceptId);
    bool duplicateAllowedFor(const QString &exceptId);

    QList<QWidget *> m_fields;
};
