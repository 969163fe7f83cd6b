#pragma once
#include "common/TitleSort.h"
#include "common/Page.h"
#include <QList>
#include <QPair>

class ComboBox;
class DbGrid;
class MaskEdit;
class PrintedForm;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
struct GridColumn;

// The trip list: finds trips by driver, county, officer, start-date range
// and trip types, counts them and keeps the sums of their amounts, kilometres
// and hours worked; from its menu it adds, edits and deletes trips, prints
// the mission orders and the trip reports and exports the rows to a
// spreadsheet.
class Ttaradod_src : public Page {
    Q_OBJECT
public:
    explicit Ttaradod_src(QWidget *parent = nullptr);

    QPushButton *src_btn;
    QLabel *cnt;
    QCheckBox *CheckBox1;     // driver filter
    QLineEdit *ranande;
    QCheckBox *CheckBox11;    // destination county filter
    ComboBox *shahrestan;
    QCheckBox *CheckBox12;    // officer filter
    QLineEdit *mamor;
    QCheckBox *CheckBox2;     // status: trips have none, so it stays out of sight
    ComboBox *status;
    QCheckBox *CheckBox3;     // start-date range
    MaskEdit *dat1_1;
    QLabel *Label1;
    MaskEdit *dat1_2;
    QCheckBox *CheckBox4;     // trip types
    ComboBox *typ;
    QToolButton *add_loc;
    QCheckBox *show_list_loc;
    QListWidget *list_loc;    // the trip types searched for
    QMenu *PopupMenu1;
    QAction *N13;
    DbGrid *DBGrid1;

    QMenuBar *MainMenu1;
    QAction *N1;   // new
    QAction *N2;   // edit
    QAction *N3;   // delete
    QMenu *N4;     // forms
    QAction *N12;
    QAction *N8;
    QAction *N7;
    QAction *N9;
    QAction *N10;
    QAction *N14;
    QMenu *N5;     // reports
    QAction *N11;  // spreadsheet
    QAction *N6;   // close

    // The last search's count and sums as the data layer gives them: `c`
    // rows, `m` the sum of the amounts, `k` of the kilometres worked, `s` of
    // the hours worked (empty sums over no rows). Only a search changes them.
    struct Totals {
        QString c, m, k, s;
    };
    const Totals &lastTotals() const { return m_totals; }

    // The grid's columns: field, title, width.
    static const QList<GridColumn> &gridColumns();
    // The spreadsheet titles: the personnel list's table with the driver and
    // the officer in the places of the last name and the national code.
    static const QList<QPair<QString, QString>> &exportTitles();
    // The province and county a new trip starts with.
    static QString defaultProvince();
    static QString defaultCounty();

    void src_btnClick();
    void FormShow() override;
    void CheckBox1Click();
    void CheckBox11Click();
    void CheckBox12Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void add_locClick();
    void show_list_locClick();
    void N13Click();
    void DBGrid1TitleClick(int column);
    void N1Click();
    void N2Click();
    void N3Click();
    void N7Click();
    void N8Click();
    void N12Click();
    void N9Click();
    void N10Click();
    void N14Click();
    void N11Click();
    void N6Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList conditions() const;
    void printMissionOrder(PrintedForm *form);
    void followResize();

    QWidget *m_client;
    // Controls that keep their distance from the right edge, with their
    // designed places in the designed client area.
    QList<QPair<QWidget *, QRect>> m_rightAnchored;
    TitleSort m_titleSort;
    Totals m_totals;
};
