#pragma once
#include <QDialog>

class QLabel;

class Tusers : public QDialog {
    Q_OBJECT
public:
    explicit Tusers(QWidget *parent = nullptr);

    // The current user: id (hidden), name, level (hidden). Login writes the
    // first two; nothing writes the level, which keeps its text "level".
    QLabel *prs_id;
    QLabel *karbar;
    QLabel *level;
};
