#pragma once
#include "platform/ComboBox.h"
#include <QDialog>
#include <QLineEdit>

class DbGrid;
class QAction;
class QLabel;
class QMenu;
class QPushButton;

// The lookup lists: one list of table `setting` at a time, with adding,
// deleting and marking the default item.
class Tsetting : public QDialog {
    Q_OBJECT
public:
    explicit Tsetting(QWidget *parent = nullptr);

    QLabel *Label1;
    ComboBox *component;   // the chosen list (pick only)
    QLabel *Label2;
    QLineEdit *cmt;        // the item text to add
    QPushButton *ins_btn;
    DbGrid *DBGrid1;       // on the shared lookup query
    QMenu *PopupMenu1;
    QAction *N2;           // mark as default
    QAction *N1;           // delete
    QLabel *Label3;

    // The names of the lists the window offers, in the order of the chooser.
    static QStringList listNames();

    void componentChange();
    void ins_btnClick();
    void N2Click();
    void N1Click();

private:
    struct Item {
        QString list;
        QString text;
    };
    Item takeCurrentItem();
    void reopenList(const QString &list);
};
