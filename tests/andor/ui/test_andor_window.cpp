#include "andor/ui/AndOrWindow.h"
#include "support/AllocationFailure.h"
#include "support/FileSizeLimit.h"
#include "support/ui/GuiTestMain.h"
#include "support/ui/RunWindowDriver.h"
#include "widgets/RadioGroup.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

class TestAndOrWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = std::make_unique<TForm4>();
        m_driver = std::make_unique<RunWindowDriver>(*m_window);
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }

    void cleanup()
    {
        m_dialogs.reset();
        m_driver.reset();
        m_window.reset();
    }

    void startsWithDefaultsAndNothingToSave()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quadrix - Abordagem Grafo E/OU"));
        QVERIFY(!m_driver->control<QPushButton>("Button1")->isEnabled());
        QCOMPARE(m_driver->control<QLineEdit>("Edit4")->text(), QStringLiteral("3"));
        QCOMPARE(m_driver->control<QLineEdit>("Edit5")->text(), localDecimal("0,1"));
        QCOMPARE(m_driver->control<QLineEdit>("Edit6")->text(), localDecimal("0,95"));
        QCOMPARE(m_driver->control<QLineEdit>("Edit7")->text(), QStringLiteral("100"));
        QCOMPARE(m_driver->control<RadioGroup>("RadioGroup1")->itemIndex(), 1);
        QCOMPARE(m_driver->control<RadioGroup>("RadioGroup2")->itemIndex(), 1);
        QVERIFY(!m_driver->control<QLineEdit>("Edit5")->isEnabled());
        QVERIFY(!m_driver->control<QLabel>("Label7")->isEnabled());
        m_driver->trigger("SalvarResultado1");
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Não há dados a serem salvos!"});
        QCOMPARE(m_dialogs->messages().front().caption, QStringLiteral("Erro"));
        QCOMPARE(m_dialogs->saveDialogsShown(), 0);
    }

    // A user who changes nothing but "Heurísticas" can run, whatever the locale; the report
    // keeps the texts as they stand in the fields.
    void defaultLambdasConvertUnderTheUsersLocale()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->control<RadioGroup>("RadioGroup2")->setItemIndex(0);
        m_window->RadioGroup2Click();
        m_driver->setText("Edit4", QStringLiteral("1"));
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
        const QStringList report = m_driver->memo("Memo1");
        QVERIFY(report.contains("   Lambda 1 = " + localDecimal("0,1")));
        QVERIFY(report.contains("   Lambda 2 = " + localDecimal("0,95")));
    }

    void heuristicsChoiceEnablesTheLambdas()
    {
        auto* heuristics = m_driver->control<RadioGroup>("RadioGroup2");
        heuristics->setItemIndex(0);
        m_window->RadioGroup2Click();
        QVERIFY(m_driver->control<QLineEdit>("Edit5")->isEnabled());
        QVERIFY(m_driver->control<QLabel>("Label6")->isEnabled());
        heuristics->setItemIndex(1);
        m_window->RadioGroup2Click();
        QVERIFY(!m_driver->control<QLineEdit>("Edit6")->isEnabled());
    }

    void loadShowsTheProblem()
    {
        m_driver->load(*m_dialogs, example());
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(m_driver->control<QLabel>("Label1")->text(), QStringLiteral("Exemplo 10 x 8\r\n"));
        QCOMPARE(m_driver->control<QLineEdit>("Edit1")->text(), QStringLiteral("10"));
        QCOMPARE(m_driver->control<QLineEdit>("Edit3")->text(), QStringLiteral("2"));
        auto* grid = m_driver->control<StringGrid>("StringGrid1");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->cell(4, 2), QStringLiteral("1"));
        QVERIFY(m_driver->control<QPushButton>("Button1")->isEnabled());
    }

    void failedOpenChangesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/x.BI");
        QTest::newRow("folder") << QStringLiteral(QUADRIX_TEST_DATA_DIR);
    }

    void failedOpenChangesNothing()
    {
        QFETCH(QString, path);
        m_driver->load(*m_dialogs, path);
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Erro ao abrir o arquivo de entrada!"});
        QVERIFY(!m_window->instanceLoaded());
        m_driver->trigger("Abrir1"); // cancelled dialog
        QVERIFY(!m_driver->control<QPushButton>("Button1")->isEnabled());
    }

    void parameterMessagesInOrder_data()
    {
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("capacity");
        QTest::addColumn<bool>("heuristics");
        QTest::addColumn<QString>("lambda1");
        QTest::addColumn<QString>("lambda2");
        QTest::addColumn<QString>("message");
        QTest::newRow("depth 3,5") << "3,5"
                                   << "x" << true << "x"
                                   << "x"
                                   << "Digite um valor inteiro para a Profundidade!";
        QTest::newRow("depth empty") << ""
                                     << "100" << false << ""
                                     << ""
                                     << "Digite um valor inteiro para a Profundidade!";
        QTest::newRow("depth trailing blank") << "3 "
                                              << "100" << false << ""
                                              << ""
                                              << "Digite um valor inteiro para a Profundidade!";
        QTest::newRow("capacity") << " 3"
                                  << "abc" << true << "x"
                                  << "x"
                                  << "Digite um valor inteiro para o Conjunto de Discretização!";
        QTest::newRow("lambda 1") << "2"
                                  << "100" << true << "abc"
                                  << "x"
                                  << "Digite um valor numérico para Lambda 1!";
        QTest::newRow("lambda 2") << "2"
                                  << "100" << true << "1"
                                  << ""
                                  << "Digite um valor numérico para Lambda 2!";
        QTest::newRow("negative depth") << "-1"
                                        << "100" << false << ""
                                        << ""
                                        << "A profundidade não pode ser negativa.";
        QTest::newRow("lambda 1 beyond a double") << "2"
                                                  << "100" << true << "1e400"
                                                  << "1"
                                                  << "Digite um valor numérico para Lambda 1!";
        QTest::newRow("lambda 2 beyond a double") << "2"
                                                  << "100" << true << "1"
                                                  << "-1E309"
                                                  << "Digite um valor numérico para Lambda 2!";
    }

    void parameterMessagesInOrder()
    {
        QFETCH(QString, depth);
        QFETCH(QString, capacity);
        QFETCH(bool, heuristics);
        QFETCH(QString, lambda1);
        QFETCH(QString, lambda2);
        QFETCH(QString, message);
        m_driver->load(*m_dialogs, example());
        m_driver->setText("Edit4", depth);
        m_driver->setText("Edit7", capacity);
        m_driver->setText("Edit5", lambda1);
        m_driver->setText("Edit6", lambda2);
        m_driver->control<RadioGroup>("RadioGroup2")->setItemIndex(heuristics ? 0 : 1);
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{message});
        QVERIFY(m_driver->memo("Memo1").isEmpty());
        QVERIFY(!m_window->resultPresent());
    }

    void lambdasAreNotReadWithoutHeuristics()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->setText("Edit5", QStringLiteral("anything"));
        m_driver->setText("Edit4", QStringLiteral("1"));
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
        QCOMPARE(m_dialogs->messages().front().caption, QString());
        QCOMPARE(m_dialogs->messages().front().icon, Dialogs::Icon::None);
    }

    void goldenReportAndSavedFile()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->control<RadioGroup>("RadioGroup1")->setItemIndex(0);
        m_driver->setText("Edit4", QStringLiteral("2"));
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
        QCOMPARE(withoutTime(m_driver->memo("Memo1")),
                 withoutTime(goldenLines(QStringLiteral("andor_example_depth2.txt"))));
        const QStringList summary = m_driver->memo("Memo2");
        QCOMPARE(summary.size(), 5);
        QCOMPARE(summary[0], QStringLiteral("Área ótima = 74"));
        QCOMPARE(summary[2], QStringLiteral("Perda = %1 %").arg(QLocale::system().toString(7.5)));
        QCOMPARE(m_driver->countCell(1, 0), QStringLiteral("Demanda"));
        QCOMPARE(m_driver->countCell(1, 1), QStringLiteral("9"));
        QCOMPARE(m_driver->countCell(1, 2), QStringLiteral("1"));
        QVERIFY(m_window->resultPresent());

        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("a.txt"));
        m_dialogs->queueSaveFileName(name);
        m_driver->trigger("SalvarResultado1");
        const QByteArray saved = fileBytes(name + ".txt");
        QVERIFY(!QFile::exists(name));
        const QStringList lines = m_driver->memo("Memo1");
        QByteArray expected;
        for (const QString& line : lines)
            expected += line.toLatin1() + "\r\n";
        QCOMPARE(saved, expected);
        QVERIFY(saved.startsWith(QByteArray(40, '=') + "\r\n\r\nProblema"));
        QVERIFY(saved.contains("Exemplo 10 x 8\r\n\r\nH = 10\r\n"));
        QVERIFY(saved.contains("Pe\xE7"
                               "as:\r\n"));
    }

    void commandLineWritesTheSameResultFile()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->control<RadioGroup>("RadioGroup1")->setItemIndex(0);
        m_driver->setText("Edit4", QStringLiteral("2"));
        m_driver->calculate();
        QTemporaryDir folder;
        m_dialogs->queueSaveFileName(folder.filePath(QStringLiteral("janela")));
        m_driver->trigger("SalvarResultado1");
        const QString cliFile = folder.filePath(QStringLiteral("cli.txt"));
        QProcess cli;
        cli.start(QStringLiteral(QUADRIX_CLI),
                  {QStringLiteral("andor"), example(), QStringLiteral("--unconstrained"),
                   QStringLiteral("--depth"), QStringLiteral("2"),
                   QStringLiteral("--decimal-separator"), QLocale::system().decimalPoint(),
                   QStringLiteral("-o"), cliFile});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QByteArray windowBytes = fileBytes(folder.filePath(QStringLiteral("janela.txt")));
        QVERIFY(!windowBytes.isEmpty());
        QCOMPARE(fileBytes(cliFile), windowBytes);
        const QStringList printed = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
        QCOMPARE(withoutTime(printed.mid(0, printed.size() - 1)),
                 withoutTime(m_driver->memo("Memo1")));
    }

    void builderFailureLeavesCalculandoAlone()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->control<RadioGroup>("RadioGroup1")->setItemIndex(0);
        m_driver->setText("Edit4", QStringLiteral("1"));
        m_driver->calculate();
        QVERIFY(m_window->resultPresent());
        m_dialogs->clearMessages();
        m_driver->setText("Edit7", QStringLiteral("1"));
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Solução não pôde ser calculada!"});
        QCOMPARE(m_driver->memo("Memo1"), QStringList{"Calculando..."});
        QVERIFY(m_driver->memo("Memo2").isEmpty());
        QVERIFY(m_window->resultPresent());
    }

    void runningOutOfMemoryAnywhereEndsAsAFailedRun()
    {
        const InlineRuns inlineRuns;
        m_driver->load(*m_dialogs, example());
        m_driver->control<RadioGroup>("RadioGroup1")->setItemIndex(0);
        m_driver->setText("Edit4", QStringLiteral("2"));
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
            QCOMPARE(shown, QStringList{"Solução não pôde ser calculada!"});
            QCOMPARE(m_dialogs->messages().front().icon, Dialogs::Icon::Error);
            QVERIFY(m_window->resultPresent());
        }
        QVERIFY(failing > 100);
    }

    // While a run holds, nothing it reads can change and "Parar" ends it as a failed run.
    void stoppingARunEndsItAsAFailedRun()
    {
        auto held = std::make_unique<HeldRuns>();
        m_driver->load(*m_dialogs, example());
        QTest::mouseClick(m_driver->control<QPushButton>("Button1"), Qt::LeftButton);
        QTRY_VERIFY(held->started());
        QVERIFY(m_window->running());
        m_driver->verifyInputsEnabled(false, parameterFields());
        QVERIFY(m_driver->statusText().startsWith(QStringLiteral("Calculando... ")));
        QCOMPARE(m_driver->memo("Memo1"), QStringList{"Calculando..."});
        m_driver->trigger("Parar1");
        m_driver->waitForRunEnd();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo interrompido."});
        QCOMPARE(m_dialogs->messages().front().caption, QStringLiteral("Quadrix"));
        QCOMPARE(m_dialogs->messages().front().icon, Dialogs::Icon::Information);
        QCOMPARE(m_driver->memo("Memo1"), QStringList{"Calculando..."});
        QVERIFY(!m_window->resultPresent());
        // The lambdas follow "Heurísticas" again, off here.
        m_driver->verifyInputsEnabled(true, {"RadioGroup1", "RadioGroup2", "Edit4", "Edit7"});
        QVERIFY(!m_driver->control<QLineEdit>("Edit5")->isEnabled());
        QVERIFY(m_driver->statusText().isEmpty());
        held.reset();
        m_dialogs->clearMessages();
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
    }

    // Closing the window drops the run: its thread is stopped and waited for, nothing shown.
    void closingDuringARunStopsItSilently()
    {
        const HeldRuns held;
        m_driver->load(*m_dialogs, example());
        QTest::mouseClick(m_driver->control<QPushButton>("Button1"), Qt::LeftButton);
        QTRY_VERIFY(held.started());
        m_window->close();
        QVERIFY(!m_window->running());
        QTest::qWait(50);
        QVERIFY(m_dialogs->messageTexts().isEmpty());
    }

    // As at the program's end: the windows are destroyed with a run still going.
    void destroyingTheWindowDuringARunEndsIt()
    {
        const HeldRuns held;
        m_driver->load(*m_dialogs, example());
        QTest::mouseClick(m_driver->control<QPushButton>("Button1"), Qt::LeftButton);
        QTRY_VERIFY(held.started());
        m_driver.reset();
        m_window.reset();
        QTest::qWait(50);
        QVERIFY(m_dialogs->messageTexts().isEmpty());
    }

    // The worker's stack is measured like any other: a limit it cannot hold is refused.
    void aDepthTheWorkersStackCannotHoldIsRefused()
    {
        m_driver->load(*m_dialogs, QStringLiteral(QUADRIX_TEST_DATA_DIR "/deep_cuts.BI"));
        m_driver->setText("Edit4", QStringLiteral("1000000"));
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Solução não pôde ser calculada!"});
        m_dialogs->clearMessages();
        m_driver->setText("Edit4", QStringLiteral("100"));
        m_driver->calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
    }

    void savingThatFailsPartWayKeepsTheOldFile()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->calculate();
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("resultado"));
        QFile old(name + ".txt");
        QVERIFY(old.open(QIODevice::WriteOnly));
        const QByteArray oldBytes(20000, 'o');
        old.write(oldBytes);
        old.close();
        m_dialogs->clearMessages();
        m_dialogs->queueSaveFileName(name);
        {
            const FileSizeLimit limit(512);
            m_driver->trigger("SalvarResultado1");
        }
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->messages().front().text.contains(QStringLiteral("resultado.txt")));
        QVERIFY(fileBytes(name + ".txt") == oldBytes);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"resultado.txt"});
    }

    void symmetryTextSelectingNoItemTurnsSymmetryOn()
    {
        m_driver->load(*m_dialogs, example());
        auto* combo = m_driver->control<QComboBox>("ComboBox1");
        combo->setEditText(QStringLiteral("talvez"));
        m_driver->setText("Edit4", QStringLiteral("0"));
        m_driver->calculate();
        QVERIFY(m_driver->memo("Memo1").contains(QStringLiteral("Simetria: Sim")));
        // Symmetry halves the bound: positions up to 5 along the height of 10.
        QVERIFY(m_driver->memo("Memo1").contains(QStringLiteral("X: 2 elementos")));
    }

    void newLoadEmptiesTheMemosAndSavingRefuses()
    {
        m_driver->load(*m_dialogs, example());
        m_driver->calculate();
        QVERIFY(m_window->resultPresent());
        m_driver->load(*m_dialogs, example());
        QVERIFY(m_driver->memo("Memo1").isEmpty());
        QVERIFY(m_driver->memo("Memo2").isEmpty());
        QCOMPARE(m_driver->countCell(1, 1), QStringLiteral("2"));
        m_dialogs->clearMessages();
        m_driver->trigger("SalvarResultado1");
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Não há dados a serem salvos!"});
    }

    void countGridWidthFollowsTheCount()
    {
        QTemporaryDir folder;
        for (int n : {12, 13}) {
            const QString path = folder.filePath(QStringLiteral("n%1.BI").arg(n));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("1\r\n\r\nGrade\r\n50   50\r\n%1\r\n").arg(n).toLatin1());
            for (int i = 1; i <= n; ++i)
                file.write(QByteArray(" 5 1 1 1\r\n"));
            file.close();
            m_driver->load(*m_dialogs, path);
            m_driver->setText("Edit4", QStringLiteral("0"));
            m_driver->calculate();
            auto* grid = m_driver->control<StringGrid>("StringGrid2");
            QCOMPARE(grid->rowCount(), n + 1);
            QCOMPARE(grid->width(), n <= 12 ? 133 : 153);
            QCOMPARE(grid->verticalScrollBarPolicy(),
                     n <= 12 ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
        }
    }

private:
    static QStringList parameterFields()
    {
        return {"RadioGroup1", "RadioGroup2", "Edit4", "Edit5", "Edit6", "Edit7", "ComboBox1"};
    }

    // The text as the user's locale writes it: with its decimal separator.
    static QString localDecimal(QString text)
    {
        return text.replace(QLatin1Char(','), QLocale::system().decimalPoint());
    }

    static QString example() { return QStringLiteral(QUADRIX_TEST_DATA_DIR "/example.BI"); }

    std::unique_ptr<TForm4> m_window;
    std::unique_ptr<RunWindowDriver> m_driver;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

QUADRIX_GUI_TEST_MAIN(TestAndOrWindow)
#include "test_andor_window.moc"
