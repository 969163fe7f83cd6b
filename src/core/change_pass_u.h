#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The password-change window, opened (not modally) from the login window
// once the typed name and password are right. Each showing starts with both
// edits empty and the first one focused, so nobody finds the previous user's
// new password waiting for a click. However it closes, the login window
// comes back.
class Tchange_pass : public QDialog {
    Q_OBJECT
public:
    explicit Tchange_pass(QWidget *parent = nullptr);

    QLabel *Label2;
    QLabel *Label3;
    QLineEdit *Edit1;
    QLineEdit *Edit2;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void backToLogin();
};
