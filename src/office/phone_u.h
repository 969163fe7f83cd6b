#pragma once
#include <QDialog>

class DbGrid;
class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
struct GridColumn;

// The phone book: a shared list of names with numbers and notes in table
// `phone`. It searches as the user types, by name, number or note, counts
// the matching entries, adds entries whose name is not yet stored and
// deletes them. Every statement runs on the shared scratch query, which is
// also its grid's data.
class Tphone : public QDialog {
    Q_OBJECT
public:
    explicit Tphone(QWidget *parent = nullptr);

    QGroupBox *RadioGroup1;          // what the search text is matched against
    QButtonGroup *RadioGroup1Items;  // its items by position: name, number, note
    QLineEdit *src;
    QLabel *cnt;
    DbGrid *DBGrid1;
    QLabel *Label1;
    QLineEdit *name;
    QLabel *Label2;
    QLineEdit *tel;
    QLabel *Label3;
    QLineEdit *cmt;
    QPushButton *ins_btn;
    QMenu *PopupMenu1;
    QAction *N1;                     // delete the current entry

    static const QList<GridColumn> &gridColumns();

    // The chosen item of RadioGroup1: 0 name, 1 number, 2 note.
    int criterion() const;

    void srcChange();
    void ins_btnClick();
    void N1Click();

    // The two-pass search with the current text and criterion. A failing
    // statement is passed over without a message.
    void search();
};
