#pragma once
#include <QDialog>

class ComboBox;
class DbGrid;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// Attachments kept inside the database: each file with a description from a
// fixed list, the password typed with it, its extension and its bytes. The
// user stores a chosen file, opens a stored one with the program its
// extension belongs to (a click on its row) and deletes stored ones. Every
// statement of the window runs on the shared attachments query, so the grid
// shows the result of the last one. The main window's rights gate enables
// the store button and the delete item.
class Tzamaem : public QDialog {
    Q_OBJECT
public:
    explicit Tzamaem(QWidget *parent = nullptr);

    QLabel *Label3;
    ComboBox *Combo_type;   // description of the file to store (pick only)
    QLabel *Label1;
    QLineEdit *ramz;        // password stored with the file
    QPushButton *ins_btn;   // choose a file and store it
    DbGrid *DBGrid1;        // the stored files; a click opens the row's file
    QMenu *PopupMenu1;
    QAction *N1;            // delete the current row
    QLabel *Label4;         // hint: right-click to delete
    QLabel *Label2;         // hint: click to view

    void ins_btnClick();
    void DBGrid1CellClick();
    void N1Click();

    // Where a stored file is written to be viewed: one fixed name in the
    // temporary folder, followed by the stored extension cut down to
    // letters, digits and dots.
    static QString viewedFilePath(const QString &storedExtension);

private:
    void listAll();
};
