#pragma once
#include <QAction>
#include <QMenu>
#include <QMenuBar>

// The menus of the list windows, built of named items so that the main
// window's rights gate and the tests find them by name.

// Adds an item to a menu bar or a menu.
inline QAction *addMenuItem(QWidget *menu, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    return action;
}

// Adds a sub-menu to a menu bar; the menu and the item that opens it both
// carry the name.
inline QMenu *addSubMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, bar);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    bar->addMenu(menu);
    return menu;
}
