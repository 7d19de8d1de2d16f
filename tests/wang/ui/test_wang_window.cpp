#include "support/AllocationFailure.h"
#include "support/ui/GuiTestMain.h"
#include "support/ui/RunWindowDriver.h"
#include "wang/ui/WangWindow.h"

#include <QTemporaryDir>

namespace {

QString joined(std::initializer_list<int> numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QString::number(number);
    return texts.join(QStringLiteral("   -   "));
}

QString localBeta(const char* digits)
{
    return QStringLiteral("0") + QLocale::system().decimalPoint() + QLatin1String(digits);
}

} // namespace

class TestWangWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = std::make_unique<TForm5>();
        m_driver = std::make_unique<RunWindowDriver>(*m_window);
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }

    void cleanup()
    {
        m_dialogs.reset();
        m_driver.reset();
        m_window.reset();
    }

    void startsDisabledWithTheDefaultBeta()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quadrix - Algoritmo de Wang"));
        QVERIFY(!m_driver->control<QPushButton>("Button1")->isEnabled());
        QCOMPARE(m_driver->control<QLineEdit>("Edit4")->text(), localBeta("01"));
        m_driver->trigger("SalvarResultado1");
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Não há dados a serem salvos!"});
    }

    // The default Beta converts under the user's locale: the worked example runs untouched.
    void workedExampleLineForLine()
    {
        m_driver->load(*m_dialogs, square());
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
        const QString sep(40, QLatin1Char('='));
        QStringList expected = {sep,
                                "",
                                "Problema de Corte Bidimensional Restrito - Algoritmo de Wang",
                                "",
                                sep,
                                "",
                                "Quadrado",
                                "",
                                "H = 10",
                                "W = 10",
                                "",
                                sep,
                                "",
                                "Peças:",
                                "",
                                "   Peça número 1",
                                "   Altura: 5",
                                "   Comprimento: 5",
                                "   Quantidade: 4",
                                "   Valor da peça: 25",
                                "",
                                sep,
                                "",
                                "Padrões gerados:",
                                "",
                                joined({1, 5, 5, 25, 0, 0, 0, 0, 75}),
                                joined({2, 5, 10, 50, 1, 1, 1, 0, 50}),
                                joined({3, 10, 5, 50, 2, 1, 1, 0, 50}),
                                joined({6, 10, 10, 100, 2, 2, 2, 0, 0}),
                                "",
                                sep,
                                "",
                                "Número de padrões gerados: 4",
                                "Melhor padrão: Peça 6 (Área: 100)",
                                "Perda = 0 %",
                                "Tempo: ?",
                                ""};
        QCOMPARE(withoutTime(m_driver->memo("Memo1")), expected);
        QCOMPARE(withoutTime(m_driver->memo("Memo2")),
                 (QStringList{"Área ótima = 100", "", "Perda = 0 %", "", "Tempo: ?"}));
        QCOMPARE(m_driver->countCell(0, 1), QStringLiteral("1"));
        QCOMPARE(m_driver->countCell(1, 1), QStringLiteral("4"));

        QTemporaryDir folder;
        m_dialogs->queueSaveFileName(folder.filePath(QStringLiteral("wang")));
        m_driver->trigger("SalvarResultado1");
        const QByteArray saved = fileBytes(folder.filePath(QStringLiteral("wang.txt")));
        QVERIFY(saved.contains("\r\nN\xFAmero de padr\xF5"
                               "es gerados: 4\r\n"));
        QVERIFY(saved.endsWith("\r\n\r\n"));
    }

    void betaThatDoesNotConvertKeepsThePreviousReport_data()
    {
        QTest::addColumn<QString>("beta");
        QTest::newRow("abc") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("other separator")
            << (QLocale::system().decimalPoint() == QStringLiteral(",") ? "0.01" : "0,01");
        QTest::newRow("beyond a float") << "1e50";
        QTest::newRow("below a float") << "-4E38";
    }

    void betaThatDoesNotConvertKeepsThePreviousReport()
    {
        QFETCH(QString, beta);
        m_driver->load(*m_dialogs, square());
        m_driver->setText("Edit4", localBeta("01"));
        m_driver->calculate();
        const QStringList report = m_driver->memo("Memo1");
        const QStringList summary = m_driver->memo("Memo2");
        m_dialogs->clearMessages();
        m_driver->setText("Edit4", beta);
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Digite um valor numérico para Beta!"});
        QCOMPARE(m_driver->memo("Memo1"), report);
        QCOMPARE(m_driver->memo("Memo2"), summary);
        QVERIFY(m_window->resultPresent());
    }

    void folderIsRefusedLikeAnUnreadableFile()
    {
        m_driver->load(*m_dialogs, QStringLiteral(QUADRIX_TEST_DATA_DIR));
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Erro ao abrir o arquivo de entrada!"});
        QVERIFY(!m_window->instanceLoaded());
    }

    void runningOutOfMemoryAnywhereEndsAsAFailedRun()
    {
        const InlineRuns inlineRuns;
        m_driver->load(*m_dialogs, square());
        m_driver->setText("Edit4", localBeta("01"));
        m_window->Button1Click();
        const QStringList report = m_driver->memo("Memo1");
        // Each allocation of the run fails in turn, until the run makes no more.
        long failing = 1;
        for (;; ++failing) {
            m_dialogs->clearMessages();
            bool struck = false;
            {
                const AllocationFailure failure(failing);
                m_window->Button1Click();
                struck = failure.struck();
            }
            if (!struck)
                break;
            const QStringList shown = m_dialogs->messageTexts();
            if (shown == QStringList{"Cálculo concluído"}) {
                QCOMPARE(withoutTime(m_driver->memo("Memo1")), withoutTime(report));
                continue;
            }
            QCOMPARE(shown, QStringList{"Memória insuficiente para gerar os padrões."});
            QCOMPARE(m_dialogs->messages().front().icon, Dialogs::Icon::Error);
            QVERIFY(m_window->resultPresent());
        }
        QVERIFY(failing > 100);
    }

    void stoppingARunEndsItAsAFailedRun()
    {
        const HeldRuns held;
        m_driver->load(*m_dialogs, square());
        QTest::mouseClick(m_driver->control<QPushButton>("Button1"), Qt::LeftButton);
        QTRY_VERIFY(held.started());
        m_driver->verifyInputsEnabled(false, {"Edit4"});
        QVERIFY(m_driver->statusText().startsWith(QStringLiteral("Calculando... ")));
        m_driver->trigger("Parar1");
        m_driver->waitForRunEnd();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo interrompido."});
        QCOMPARE(m_dialogs->messages().front().caption, QStringLiteral("Quadrix"));
        QCOMPARE(m_dialogs->messages().front().icon, Dialogs::Icon::Information);
        QCOMPARE(m_driver->memo("Memo1"), QStringList{"Calculando..."});
        m_driver->verifyInputsEnabled(true, {"Edit4"});
    }

    void negativeBetaKeepsThePiecesAlone()
    {
        m_driver->load(*m_dialogs, square());
        m_driver->setText("Edit4", QStringLiteral("-1"));
        m_driver->calculate();
        const QStringList report = m_driver->memo("Memo1");
        QVERIFY(report.contains(QStringLiteral("Número de padrões gerados: 1")));
        QVERIFY(report.contains(QStringLiteral("Melhor padrão: Peça 1 (Área: 25)")));
        QVERIFY(report.contains(QStringLiteral("Perda = 75 %")));
        QCOMPARE(m_driver->memo("Memo2").front(), QStringLiteral("Área ótima = 25"));
    }

private:
    static QString square() { return QStringLiteral(QUADRIX_TEST_DATA_DIR "/wang_square.BI"); }

    std::unique_ptr<TForm5> m_window;
    std::unique_ptr<RunWindowDriver> m_driver;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

QUADRIX_GUI_TEST_MAIN(TestWangWindow)
#include "test_wang_window.moc"
