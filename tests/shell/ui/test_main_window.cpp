#include "shell/ui/AboutBoxes.h"
#include "shell/ui/MainWindow.h"
#include "support/ui/GuiTestMain.h"
#include "support/ui/ScriptedDialogs.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_form1 = std::make_unique<TForm1>();
        for (auto& window : m_windows)
            window = std::make_unique<QWidget>();
        m_about = std::make_unique<TAboutBox2>();
        m_form1->setWindows(m_windows[0].get(), m_windows[1].get(), m_windows[2].get(),
                            m_windows[3].get(), m_about.get());
        m_form1->show();
    }

    void eachButtonShowsItsWindowOnce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("library") << "Button1" << 0 << "Visualizar Bibliotecas Computacionais";
        QTest::newRow("editor") << "Button2" << 1 << "Criar / Editar Arquivos de Entrada";
        QTest::newRow("andor") << "Button3" << 2 << "Abordagem Grafo E/OU";
        QTest::newRow("wang") << "Button4" << 3 << "Algoritmo de Wang";
    }

    void eachButtonShowsItsWindowOnce()
    {
        QFETCH(QString, button);
        QFETCH(int, window);
        QFETCH(QString, caption);
        auto* pushButton = m_form1->findChild<QPushButton*>(button);
        QVERIFY(pushButton);
        QCOMPARE(pushButton->text(), caption);
        QWidget* target = m_windows[window].get();
        target->setWindowTitle(QStringLiteral("state kept"));
        QVERIFY(!target->isVisible());
        QTest::mouseClick(pushButton, Qt::LeftButton);
        QVERIFY(target->isVisible());
        QTest::mouseClick(pushButton, Qt::LeftButton);
        QVERIFY(target->isVisible());
        for (int other = 0; other < 4; ++other)
            QCOMPARE(m_windows[other]->isVisible(), other == window);
        target->close();
        QVERIFY(!target->isVisible());
        QVERIFY(m_form1->isVisible());
        QTest::mouseClick(pushButton, Qt::LeftButton);
        QVERIFY(target->isVisible());
        QCOMPARE(target->windowTitle(), QStringLiteral("state kept"));
    }

    void sobreShowsTheModalAboutBox()
    {
        QString shownLine;
        bool wasModal = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<TAboutBox2*>(QApplication::activeModalWidget());
            if (!box)
                return;
            wasModal = true;
            shownLine = box->moduleLine();
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
        auto* sobre = m_form1->findChild<QAction*>(QStringLiteral("Sobre1"));
        QVERIFY(sobre);
        sobre->trigger();
        QVERIFY(wasModal);
        QCOMPARE(shownLine, QStringLiteral("Versão 1.0"));
        QVERIFY(!m_about->isVisible());
    }

    void aboutBoxesCarryTheirModuleLines()
    {
        QCOMPARE(TAboutBox().moduleLine(), QStringLiteral("Abordagem Grafo E/OU"));
        QCOMPARE(TAboutBox1().moduleLine(), QStringLiteral("Algoritmo de Wang"));
        QCOMPARE(TAboutBox().windowTitle(), QStringLiteral("Sobre"));
        QCOMPARE(TAboutBox1().size(), QSize(314, 213));
    }

    void sairClosesTheMainWindow()
    {
        m_windows[2]->show();
        m_form1->findChild<QAction*>(QStringLiteral("Sair1"))->trigger();
        QVERIFY(!m_form1->isVisible());
    }

private:
    std::unique_ptr<TForm1> m_form1;
    std::array<std::unique_ptr<QWidget>, 4> m_windows;
    std::unique_ptr<TAboutBox2> m_about;
};

QUADRIX_GUI_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
