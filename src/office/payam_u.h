#pragma once
#include "common/Page.h"
#include <QStringList>

class ComboBox;
class DbGrid;
class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QToolButton;

// Messages between users, one row of `payamha` per message and recipient.
// A user sees the messages addressed to him or her, reads their text, marks
// them read and writes new ones to any set of users; the administrator sees
// every message, may narrow them by recipient and alone may delete them. The
// main window builds the messages query, clears the compose fields and the
// filter and shows the window; showing it fills the subject and user lists.
class Tpayam : public Page {
    Q_OBJECT
public:
    explicit Tpayam(QWidget *parent = nullptr);

    DbGrid *DBGrid1;           // the messages, on the shared messages query; Ctrl-click selects several
    QMenu *PopupMenu1;
    QAction *N1;               // mark read
    QAction *N3;               // delete the current message
    QAction *N2;               // who the current message went to
    QAction *N4;               // delete every read message
    QAction *N5;               // delete the selected read messages
    QPlainTextEdit *DBMemo1;   // text of the current message
    QLabel *Label5;
    ComboBox *girande;         // recipient filter, enabled for the administrator only
    QLabel *Label1;            // reminder to mark read messages
    QLabel *Label6;            // hint for selecting several rows
    QLabel *Label4;
    ComboBox *mozo;            // subject of the new message
    QLabel *Label3;
    QPlainTextEdit *cmt;       // text of the new message
    QListWidget *prs_list;     // recipients of the new message, sorted, with ticks
    QCheckBox *CheckBox1;      // ticks or unticks every recipient
    QToolButton *BitBtn1;      // send

    void FormShow() override;
    void BitBtn1Click();
    void CheckBox1Click();
    void N1Click();
    void N3Click();
    void N2Click();
    void N4Click();
    void N5Click();
    void girandeChange();

    // The names of the ticked recipients, in list order.
    QStringList tickedRecipients() const;

private:
    QString currentMessageId() const;
    bool refusedUnlessAdministrator();
    void reopenMessages();
    void sayDeletedAndReopen();
    void showCurrentText();
};
