#pragma once
#include "common/TitleSort.h"
#include "common/Page.h"
#include <QList>

class ComboBox;
class DbGrid;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
struct GridColumn;
struct TextFilter;

// The personnel list: finds persons by its filters, counts them, sorts them
// by a clicked column title, and from its menu adds, edits and deletes
// persons, opens a person's electronic file, prints the personnel forms and
// exports the rows to a spreadsheet.
class Tpersonel_src : public Page {
    Q_OBJECT
public:
    explicit Tpersonel_src(QWidget *parent = nullptr);

    QCheckBox *CheckBox1;     // last-name filter
    QLineEdit *lname;
    QCheckBox *CheckBox11;    // county filter
    ComboBox *shahrestan;
    QCheckBox *CheckBox12;    // national-code filter
    QLineEdit *nation;
    QCheckBox *CheckBox2;     // status filter
    ComboBox *status;
    QPushButton *src_btn;
    QLabel *cnt;
    DbGrid *DBGrid1;

    QMenuBar *MainMenu1;
    QAction *N1;   // new
    QAction *N2;   // edit
    QAction *N3;   // delete
    QAction *N7;   // electronic file
    QMenu *N4;     // forms
    QAction *N5;
    QAction *N10;
    QAction *N11;
    QAction *N12;
    QMenu *N6;     // reports
    QAction *N9;   // spreadsheet
    QAction *N8;   // close

    // The grid's columns: field, title, width.
    static const QList<GridColumn> &gridColumns();

    void src_btnClick();
    void CheckBox1Click();
    void CheckBox11Click();
    void CheckBox12Click();
    void CheckBox2Click();
    void DBGrid1TitleClick(int column);
    void FormShow() override;
    void N1Click();
    void N2Click();
    void N3Click();
    void N7Click();
    void N5Click();
    void N10Click();
    void N11Click();
    void N12Click();
    void N9Click();
    void N8Click();

private:
    QList<TextFilter> filters() const;
    TitleSort m_titleSort;
};
