#pragma once
#include "common/TitleSort.h"
#include "common/Page.h"
#include <QList>
#include <QPair>

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

// The vehicle list: finds vehicles by its filters, counts them, sorts them by
// a clicked column title, and from its menu adds, edits and deletes
// vehicles, prints the three vehicle forms and exports the rows to a
// spreadsheet.
class Tkhodro_src : public Page {
    Q_OBJECT
public:
    explicit Tkhodro_src(QWidget *parent = nullptr);

    QCheckBox *CheckBox1;     // owner filter
    QLineEdit *lname;
    QCheckBox *CheckBox11;    // county filter
    ComboBox *shahrestan;
    QCheckBox *CheckBox2;     // status filter
    ComboBox *status;
    QCheckBox *CheckBox12;    // vehicle-name filter
    ComboBox *khodro;
    QPushButton *src_btn;
    QLabel *cnt;
    DbGrid *DBGrid1;

    QMenuBar *MainMenu1;
    QAction *N1;   // new
    QAction *N2;   // edit
    QAction *N3;   // delete
    QAction *N4;   // electronic file: no command
    QMenu *N5;     // forms
    QAction *N8;   // technical evaluation checklist
    QAction *N9;   // fuel-card hand-over
    QAction *N10;  // no-fines letter
    QMenu *N6;     // reports
    QAction *N11;  // spreadsheet
    QAction *N7;   // close

    // The grid's columns: field, title, width.
    static const QList<GridColumn> &gridColumns();
    // The spreadsheet's titles: the personnel titles, with the vehicle name
    // where those have the national code.
    static const QList<QPair<QString, QString>> &exportTitles();

    void src_btnClick();
    void CheckBox1Click();
    void CheckBox11Click();
    void CheckBox2Click();
    void CheckBox12Click();
    void DBGrid1TitleClick(int column);
    void FormShow() override;
    void N1Click();
    void N2Click();
    void N3Click();
    void N8Click();
    void N9Click();
    void N10Click();
    void N11Click();
    void N7Click();

private:
    QList<TextFilter> filters() const;
    TitleSort m_titleSort;
};
