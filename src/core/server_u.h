#pragma once
#include <QDialog>

class ClickLabel;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The connection-settings window: server, database, authentication, login
// and database engine, stored in the settings store for the next connection
// attempt. It never connects itself. Its finish button tells start-up to
// stop trying by the caption "end". The tiny label ". . ." runs the schema
// command.
class Tserver : public QDialog {
    Q_OBJECT
public:
    explicit Tserver(QWidget *parent = nullptr);

    static const QString DefaultServer;   // "127.0.0.1"
    static const QString DefaultDataBase; // "DorvaPelin"
    static const QString DefaultUserName; // "sa"
    static const QString DefaultPassword; // "quzelo##*"
    static const QString UnkeepablePassword; // the refusal of a password the stored form cannot keep

    ClickLabel *Label2;
    ClickLabel *Label3;
    ClickLabel *Label4;
    ClickLabel *Label5;
    QLineEdit *SqlServerName;
    QLineEdit *DataBase;
    QLineEdit *UserName;
    QLineEdit *Password;
    QPushButton *Button1;
    QPushButton *Button2;
    QGroupBox *RadioGroup1;
    QRadioButton *rbWindows;
    QRadioButton *rbSQL;
    ClickLabel *Label1;
    // The database engine: "SQL Server", "PostgreSQL" or "SQLite". For
    // SQLite the database field holds the path of the database file.
    QComboBox *engine;
    // Under the engine, for SQL Server: the installed ODBC driver the
    // connection will use, or that none is installed.
    QLabel *odbcDriver;

    void Button1Click();
    void Button2Click();
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label5Click();

    // The engine chooser's text, and choosing one by its name.
    QString engineText() const;
    void setEngineText(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showOdbcDriver();
};

// The schema command: creates and upgrades the program's tables on the
// shared connection, swallowing every error, then says it is done.
void CreateSchema();
