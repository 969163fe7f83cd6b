#pragma once
#include "common/Page.h"
#include <QList>

class ComboBox;
class MaskEdit;
class QLineEdit;
class QPushButton;

// Vehicle entry: registers a new row of `khodro` or edits the vehicle list's
// current one. Only the vehicle list shows it, after filling its fields
// (new: emptied; edit: loaded from the current row). Choosing an owner who is
// one of the personnel copies that person's own vehicle into the vehicle
// name, model and plate.
class Tkhodro_ins : public Page {
    Q_OBJECT
public:
    explicit Tkhodro_ins(QWidget *parent = nullptr);

    // One field per column of `khodro`, each named as its column.
    ComboBox *lname;          // owner
    ComboBox *khodro;         // vehicle name
    MaskEdit *model;          // model / year built
    QLineEdit *pelak;         // plate
    ComboBox *hajm_motor;     // engine volume
    QLineEdit *shasi;         // chassis number
    QLineEdit *motor_no;      // engine number
    ComboBox *rang;           // colour
    QLineEdit *kilometr;      // distance run
    QLineEdit *arzesh;        // value
    ComboBox *ostan;          // province of service
    ComboBox *shahrestan;     // county of service
    QLineEdit *bime_no_sales;
    MaskEdit *bime_dat_sales;
    QLineEdit *bime_no_badane;
    MaskEdit *bime_dat_badane;
    ComboBox *sokht_nam;      // fuel-card receiver
    MaskEdit *sokht_dat;      // fuel-card hand-over date
    QLineEdit *cmt;
    QLineEdit *madar_cod;
    QLineEdit *madar_cmt;
    ComboBox *madarek;
    ComboBox *fani;
    ComboBox *abzar;
    ComboBox *status;

    QPushButton *ins_btn;
    QPushButton *edit_btn;

    // The 25 fields in the order their columns are written (and in which the
    // list fills them).
    const QList<QWidget *> &fields() const { return m_fields; }

    void FormShow() override;
    void ostanChange();
    void lnameChange();
    void ins_btnClick();
    void edit_btnClick();

private:
    QList<QWidget *> m_fields;
};
