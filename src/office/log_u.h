#pragma once
#include <QDialog>
#include <QList>
#include <QPair>

class ComboBox;
class DbGrid;
class MaskEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
struct GridColumn;

// The activity-log viewer: lists the rows of table `log` newest first,
// counts them, narrows them by user name, computer name, operation text,
// date range and IP address, and exports the listed rows to a spreadsheet.
// It writes nothing. Its grid shows the shared scratch query, on which the
// count and the rows both run.
class Tlog : public QDialog {
    Q_OBJECT
public:
    explicit Tlog(QWidget *parent = nullptr);

    QCheckBox *CheckBox1;      // user-name filter
    ComboBox *karbar;
    QCheckBox *CheckBox3;      // computer-name filter
    QLineEdit *computer_name;
    QCheckBox *CheckBox4;      // operation-text filter
    QLineEdit *cmt;
    QCheckBox *CheckBox2;      // date range
    MaskEdit *dat1;
    QLabel *Label2;
    MaskEdit *dat2;
    QCheckBox *CheckBox5;      // IP-address filter
    QLineEdit *ip;
    QPushButton *BitBtn1;      // search
    DbGrid *DBGrid1;
    QLabel *cnt;
    QToolButton *SpeedButton1; // spreadsheet export

    static const QList<GridColumn> &gridColumns();
    // The spreadsheet's titles: field name, column title.
    static const QList<QPair<QString, QString>> &exportTitles();

    void BitBtn1Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void SpeedButton1Click();
};
