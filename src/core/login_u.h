#pragma once
#include <QDialog>

class ClickLabel;
class ComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The login window, the program's main window: closing it ends the program.
// It checks a user name and password against `users`, stamps the user's row
// with the program's version and refuses to run when the administrator's row
// carries a newer one, writes the sign-in to the activity log, sets the
// current user and opens the main window.
class Tlogin : public QDialog {
    Q_OBJECT
public:
    explicit Tlogin(QWidget *parent = nullptr);

    // The version of this program, written into users.ver at every login and
    // compared with the administrator's.
    static constexpr int ProgramVersion = 1;

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Image1;
    QLabel *Image2;
    ComboBox *us;
    QLineEdit *ps;
    QToolButton *BitBtn1; // buttons with a picture
    QToolButton *BitBtn2;
    ClickLabel *Label3;
    ClickLabel *Label4;

    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void usKeyDown(int key);
    void psKeyDown(int key);
    void Label3Click();
    void Label4Click();

    // The local IPv4 address: the last one the host name resolves to, or the
    // empty text.
    QString LocalIP();
    // The host name of a dotted IPv4 address, or the empty text.
    QString IPAddrToName(const QString &address);

    // Writes one row of the activity log on the general query: user name,
    // address, computer name, time, today's Jalali date and what happened;
    // the server fills its own time by the column default.
    void WriteLogRow(const QString &karbar, const QString &cmt);

Q_SIGNALS:
    // The window was closed, by whatever path: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override; // Esc presses the cancel button
};
