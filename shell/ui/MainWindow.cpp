#include "shell/ui/MainWindow.h"

#include "widgets/ProgramLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {
constexpr int buttonLeft = 84;
constexpr int buttonWidth = 377;
constexpr int buttonHeight = 41;
} // namespace

void showModeless(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

TForm1::TForm1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quadrix"));
    resize(545, 413);

    auto* fileMenu = menuBar()->addMenu(QStringLiteral("Arquivo"));
    QAction* sair = fileMenu->addAction(QStringLiteral("Sair"), this, &TForm1::Sair1Click);
    sair->setObjectName(QStringLiteral("Sair1"));
    sair->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    auto* helpMenu = menuBar()->addMenu(QStringLiteral("Ajuda"));
    helpMenu->addAction(QStringLiteral("Sobre"), this, &TForm1::Sobre1Click)
        ->setObjectName(QStringLiteral("Sobre1"));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* label = new QLabel(central);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(16, 8, 300, 16);

    connect(addButton(QStringLiteral("Button1"),
                      QStringLiteral("Visualizar Bibliotecas Computacionais"), 40),
            &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(addButton(QStringLiteral("Button2"),
                      QStringLiteral("Criar / Editar Arquivos de Entrada"), 112),
            &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(addButton(QStringLiteral("Button3"), QStringLiteral("Abordagem Grafo E/OU"), 184),
            &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(addButton(QStringLiteral("Button4"), QStringLiteral("Algoritmo de Wang"), 256),
            &QPushButton::clicked, this, &TForm1::Button4Click);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
}

void TForm1::setWindows(QWidget* libraryViewer, QWidget* inputEditor, QWidget* andOrWindow,
                        QWidget* wangWindow, QDialog* aboutBox)
{
    m_libraryViewer = libraryViewer;
    m_inputEditor = inputEditor;
    m_andOrWindow = andOrWindow;
    m_wangWindow = wangWindow;
    m_aboutBox = aboutBox;
}

QPushButton* TForm1::addButton(const QString& name, const QString& caption, int top)
{
    auto* button = new QPushButton(caption, centralWidget());
    button->setObjectName(name);
    button->setGeometry(buttonLeft, top, buttonWidth, buttonHeight);
    button->setFont(bigButtonFont());
    return button;
}

void TForm1::Button1Click()
{
    showModeless(m_libraryViewer);
}

void TForm1::Button2Click()
{
    showModeless(m_inputEditor);
}

void TForm1::Button3Click()
{
    showModeless(m_andOrWindow);
}

void TForm1::Button4Click()
{
    showModeless(m_wangWindow);
}

void TForm1::Sair1Click()
{
    close();
}

void TForm1::Sobre1Click()
{
    m_aboutBox->exec();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    // The main window ends the program even while other windows are open.
    QCoreApplication::quit();
}
