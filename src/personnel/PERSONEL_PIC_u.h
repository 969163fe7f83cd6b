#pragma once
#include <QDialog>

class TPERSONEL_PIC : public QDialog {
    Q_OBJECT
public:
    explicit TPERSONEL_PIC(QWidget *parent = nullptr);
};
