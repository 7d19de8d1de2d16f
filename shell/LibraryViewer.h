#pragma once

#include <QMainWindow>

class TForm2 : public QMainWindow {
    Q_OBJECT
public:
    TForm2();
};
