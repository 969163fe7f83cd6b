#pragma once
#include <QByteArray>
#include "common/Page.h"

class ComboBox;
class DbGrid;
class Query;
class Shape;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

// The electronic file of a person: documents of any kind stored whole (bytes
// and extension) under a description, written back to disk and opened on a
// click, deleted under the deletion password. The personnel list checks the
// rights, fills the person's labels, opens the document query for the person
// and shows this window.
class TPERSONEL_PIC : public Page {
    Q_OBJECT
public:
    explicit TPERSONEL_PIC(QWidget *parent = nullptr);

    QLabel *Label1;      // "province" caption
    QLabel *ostan;
    QLabel *Label2;      // "county" caption
    QLabel *shahrestan;
    QLabel *Label3;      // "name" caption
    QLabel *flname;
    QLabel *Label4;      // "description" caption
    ComboBox *cmt;
    QPushButton *ins_btn;
    Shape *Shape1;       // red when the window opens, green after an upload
    DbGrid *DBGrid1;
    QMenu *PopupMenu1;
    QAction *N1;
    QCheckBox *CheckBox1;
    QLabel *Label5;      // the note under the grid

    void FormShow() override;
    void ins_btnClick();
    void DBGrid1CellClick();
    void N1Click();

    // Stores one document of a person through the staging table, in one
    // transaction: earlier staged rows are emptied, one row is staged, that
    // row alone is copied into the document table and removed again. Two
    // workstations uploading at once therefore never copy each other's rows.
    // `staging` is the staging query, `scratch` runs the statements; both on
    // the same connection. Raises DataError and leaves nothing behind on failure.
    static void storeDocument(Query &staging, Query &scratch, qint64 personId, const QString &description,
                              const QString &extension, const QByteArray &content);

    // The extension of a file name with its leading dot ("a.tar.gz" gives
    // ".gz"), or the empty text when the name has none.
    static QString fileExtension(const QString &fileName);
    // A stored extension made fit to end a file name: letters, digits and dots only.
    static QString safeExtension(const QString &stored);

};
