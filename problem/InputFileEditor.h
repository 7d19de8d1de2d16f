#pragma once

#include <QMainWindow>

class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    TForm3();
};
