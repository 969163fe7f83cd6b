#pragma once
#include <QColor>
#include <QDialog>
#include <QLineEdit>

class DbGrid;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class Query;

// The accounts that may sign in and their rights per page; it also holds the
// current user in three labels.
class Tusers : public QDialog {
    Q_OBJECT
public:
    explicit Tusers(QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *us;          // user name to add; receives the name of a deleted account
    QLabel *Label2;
    QLineEdit *ps;          // password to add
    QPushButton *ins_btn;
    DbGrid *DBGrid1;        // the accounts
    QMenu *PopupMenu1;
    QAction *N1;            // delete the current account
    QFrame *Bevel1;         // the rights panel
    QLabel *Label4;

    // The rights of the loaded account: insert, edit, delete, view per page.
    QCheckBox *personel_ins, *personel_edit, *personel_del, *personel_show;
    QCheckBox *pers_pic_ins, *pers_pic_edit, *pers_pic_del, *pers_pic_show;
    QCheckBox *khodro_ins, *khodro_edit, *khodro_del, *khodro_show;
    QCheckBox *taradod_ins, *taradod_edit, *taradod_del, *taradod_show;
    QCheckBox *set_ins, *set_edit, *set_del, *set_show;
    QCheckBox *phone_ins, *phone_edit, *phone_del, *phone_show;
    QCheckBox *zamaem_ins, *zamaem_edit, *zamaem_del, *zamaem_show;
    QCheckBox *karbaran_ins, *karbaran_edit, *karbaran_del, *karbaran_show;

    QPushButton *ins_btn2;  // saves the ticks
    QLabel *Label3;
    DbGrid *DBGrid2;        // the rights rows last loaded

    // The current user: id (hidden), name, level (hidden). Login writes the
    // first two; nothing writes the level, which keeps its text "level".
    QLabel *prs_id;
    QLabel *karbar;
    QLabel *level;

    // One page of the rights panel: its name in table `dastrasi` and its
    // four boxes (insert, edit, delete, view).
    struct PageRights {
        QString pageName;
        QCheckBox *boxes[4];
    };
    // The eight pages in panel order, which is also the order of the save.
    QList<PageRights> pages() const;

    void ins_btnClick();
    void N1Click();
    void DBGrid1CellClick();
    void ins_btn2Click();
    // The id of the account whose rights the boxes show; empty when none.
    QString loadedAccount() const { return m_loadedId; }
    // The text colour of a rights-grid cell: green for a set bit, red for a
    // clear one, none otherwise.
    QColor DBGrid2DrawColumnCell(int column, const QString &text) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void reopenUsers();
    void loadCurrentAccount();
    // The four ticks of a page's boxes as "1" and "0".
    QString ticksOf(const QString &pageName) const;
    // The ticks the rights rows read into `rows` give the pages, four a page
    // in panel order: of several rows for one page the last one wins, a page
    // without a row has none.
    QList<bool> storedTicks(Query &rows) const;
    QList<PageRights> m_pages;
    QString m_loadedId;      // the account the boxes were loaded from
    bool m_loadedIsAdmin = false;
    QList<bool> m_loadedTicks; // the account's ticks as stored when loaded or last saved
};
