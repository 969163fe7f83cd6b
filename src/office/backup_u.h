#pragma once
#include <QDialog>

class QFileSystemModel;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

// The backup window: has a full backup of the program's database written
// into a folder the user picks, under the fixed name "vantu" followed by
// today's Jalali year, month and day.
class Tbackup : public QDialog {
    Q_OBJECT
public:
    explicit Tbackup(QWidget *parent = nullptr);

    QLabel *Label1;
    QTreeView *ShellTreeView1;   // folders only, rooted at the desktop
    QPushButton *BitBtn1;        // makes the backup

    void BitBtn1Click();

    // The folder selected in the tree; empty when none is.
    QString selectedFolder() const;
    // Selects a folder of the tree and brings it into view; false when the
    // folder is not in the tree.
    bool selectFolder(const QString &path);
    // The backup file for a Jalali date text "yyyy/mm/dd" in a folder:
    // <folder>/vantu<yyyy>_<mm>_<dd>, without extension.
    static QString backupFileName(const QString &folder, const QString &date);

private:
    QFileSystemModel *m_folders;
    QSortFilterProxyModel *m_branch;
};
