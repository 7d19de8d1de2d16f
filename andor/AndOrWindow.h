#pragma once

#include <QMainWindow>

class QDialog;

class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    TForm4();
    void setAboutBox(QDialog* aboutBox);

private:
    QDialog* m_aboutBox = nullptr;
};
