#pragma once
#include "common/Page.h"
#include <QList>

class ComboBox;
class MaskEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Person entry: registers a new row of `personel` or edits the personnel
// list's current one. Only the personnel list shows it, after filling its
// fields (new: emptied with the defaults; edit: loaded from the current row).
class Tpersonel_ins : public Page {
    Q_OBJECT
public:
    explicit Tpersonel_ins(QWidget *parent = nullptr);

    // One field per column of `personel`, each named as its column.
    ComboBox *semat;
    ComboBox *loc;
    ComboBox *typ;
    QLineEdit *fname;
    QLineEdit *lname;
    QLineEdit *father;
    QLineEdit *nation;
    QLineEdit *sh_no;
    MaskEdit *birthday;
    QLineEdit *sodor;
    ComboBox *mazhab;
    QLineEdit *farzand;
    ComboBox *taahol;
    QLineEdit *phone;
    QLineEdit *mobile;
    QLineEdit *zipcode;
    QLineEdit *adr;
    MaskEdit *govahiname_dat;
    QLineEdit *govahiname_nomre;
    QLineEdit *govahiname_no;
    QLineEdit *cmt;
    ComboBox *ostan;
    ComboBox *shahrestan;
    QLineEdit *prot_no;
    MaskEdit *prot_dat;
    MaskEdit *salamat_dat;
    ComboBox *khodro;
    MaskEdit *model;
    QLineEdit *pelak;
    QLineEdit *kilometr;
    MaskEdit *bime;
    MaskEdit *reg_dat;
    ComboBox *fani;
    ComboBox *maharat;
    ComboBox *status;

    QPushButton *ins_btn;
    QPushButton *edit_btn;

    // The 35 fields in the order their columns are written (and in which the
    // list fills them).
    const QList<QWidget *> &fields() const { return m_fields; }

    void FormShow() override;
    void ostanChange();
    // The national-code check, run when `nation` loses the focus.
    void nationExit();
    void ins_btnClick();
    void edit_btnClick();

    // Lets a typed character through when it is backspace, Enter or a digit
    // "0" to "9"; any other character becomes the null character.
    static QChar FilterDigitKey(QChar key);
    void nationKeyPress(QChar &key) { key = FilterDigitKey(key); }
    void farzandKeyPress(QChar &key) { key = FilterDigitKey(key); }

    // The national-code check of a ten-character code: true when its last
    // digit is the check digit of the first nine, whatever form its digits
    // have; false for a non-digit among them.
    static bool nationalCodeValid(const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> m_fields;
};
