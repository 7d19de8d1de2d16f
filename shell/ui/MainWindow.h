#pragma once

#include <QMainWindow>

class QDialog;
class QPushButton;

// The main window: opens every other window; closing it ends the program.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();

    // The windows the buttons and "Sobre" open; created by start-up after this one.
    void setWindows(QWidget* libraryViewer, QWidget* inputEditor, QWidget* andOrWindow,
                    QWidget* wangWindow, QDialog* aboutBox);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Sair1Click();
    void Sobre1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* addButton(const QString& name, const QString& caption, int top);

    QWidget* m_libraryViewer = nullptr;
    QWidget* m_inputEditor = nullptr;
    QWidget* m_andOrWindow = nullptr;
    QWidget* m_wangWindow = nullptr;
    QDialog* m_aboutBox = nullptr;
};

// Shows a modeless window, or brings it forward with the state it has.
void showModeless(QWidget* window);
