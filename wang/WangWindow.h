#pragma once

#include <QMainWindow>

class QDialog;

class TForm5 : public QMainWindow {
    Q_OBJECT
public:
    TForm5();
    void setAboutBox(QDialog* aboutBox);

private:
    QDialog* m_aboutBox = nullptr;
};
