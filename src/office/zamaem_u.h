#pragma once
#include <QDialog>

class Tzamaem : public QDialog {
    Q_OBJECT
public:
    explicit Tzamaem(QWidget *parent = nullptr);
};
