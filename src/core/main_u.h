#pragma once
#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QTimer;

// The main window: the background picture and the menu from which every page
// is opened. Before a page that is governed by rights is opened, the page-
// rights gate reads the current user's rights row for it, sets the page's
// insert, edit and delete commands from it and refuses the page without the
// view right; otherwise the page is prepared and shown modally.
class Tmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmain(QWidget *parent = nullptr);

    QLabel *Image1;
    QTimer *Timer1;
    // The menu, right to left: N1, N8, N10, N2 (with N4, N11, N9, N12, N6,
    // N7, N5) and N3.
    QAction *N1;
    QAction *N8;
    QAction *N10;
    QMenu *N2;
    QAction *N4;
    QAction *N11;
    QAction *N9;
    QAction *N12;
    QAction *N6;
    QAction *N7;
    QAction *N5;
    QAction *N3;

    void N1Click();   // personnel list
    void N8Click();   // vehicle list
    void N10Click();  // trip list
    void N4Click();   // lookup lists
    void N11Click();  // phone book
    void N12Click();  // attachments
    void N6Click();   // users and rights
    void N9Click();   // messages
    void N7Click();   // activity log
    void N5Click();   // about
    void N3Click();   // exit
    bool FormCloseQuery();
    void FormResize();
    void Timer1Timer();

    // The page-rights gate for page `page`: reads the current user's first
    // rights row for it; without one, refuses. Otherwise sets the enabled
    // state of the insert targets from `darj`, of the edit target from
    // `virayesh` and of the delete target from `hazf` (a target may be a
    // QAction or a QWidget; a null one is skipped), and refuses when `namayesh`
    // is not set. True when the page may be prepared and shown.
    bool PageRightsGate(const QString &page, const QList<QObject *> &insertTargets, QObject *editTarget,
                        QObject *deleteTarget);

    // The first three items of a list window's own menu: new, edit, delete.
    static QList<QObject *> listCommands(QWidget *list);
    // A page's command by its name (a button, or an item of its pop-up menu).
    static QObject *command(QWidget *page, const char *name);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void sizeList(QWidget *list);
    bool m_pollFailing = false; // the last tick of the unread poll failed
};
