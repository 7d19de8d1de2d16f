#include "support/ui/GuiTestMain.h"

#include "pattern/ui/PatternWindow.h"
#include "shell/ui/ProgramWindows.h"
#include "support/ui/LayoutCheck.h"
#include "support/ui/RunWindowDriver.h"
#include "widgets/ElidedLabel.h"
#include "widgets/RadioGroup.h"

#include <QFontInfo>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

enum class Method { AndOr, Wang };

// A problem with a long description and a loss that needs 15 significant digits: one piece
// of 299 on a plate of 300 leaves a third of a percent.
const QByteArray longProblem =
    "1\r\n\r\nPlaca de vidro temperado para a linha de montagem de janelas do segundo "
    "pavimento, corte de teste\r\n1   300\r\n1\r\n 299      1     299     1\r\n";

void showAndPaint(QWidget& window)
{
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    // Report views measure their lines as they draw them.
    window.grab();
}

void expectLooksRight(const QWidget& window)
{
    const QStringList faults = layoutFaults(window);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

} // namespace

Q_DECLARE_METATYPE(Method)

class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_windows = std::make_unique<ProgramWindows>();
        QVERIFY(m_folder.isValid());
    }

    void cleanup()
    {
        m_windows.reset();
        m_dialogs.reset();
    }

    // The layout holds for these fonts only: a missing font package would show here first.
    void windowsUseTheFontsTheyAreLaidOutFor()
    {
        const QFontInfo dialog(QApplication::font());
        QCOMPARE(dialog.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(dialog.pointSize(), 8);
        auto* bigButton = m_windows->form1.findChild<QPushButton*>(QStringLiteral("Button1"));
        QCOMPARE(bigButton->font().pointSize(), 12);
        QVERIFY(bigButton->font().bold());
        for (RunWindow* window : runWindows()) {
            const QFontInfo report(
                RunWindowDriver(*window).control(QStringLiteral("Memo1"))->font());
            QVERIFY(report.fixedPitch());
            QCOMPARE(report.family(), QStringLiteral("DejaVu Sans Mono"));
        }
    }

    void everyWindowAsItOpens()
    {
        for (QWidget* window : allWindows()) {
            showAndPaint(*window);
            expectLooksRight(*window);
            window->hide();
        }
    }

    void runWindowsWithALongDescriptionAndAResult_data()
    {
        QTest::addColumn<Method>("method");
        QTest::newRow("AND/OR") << Method::AndOr;
        QTest::newRow("Wang") << Method::Wang;
    }

    void runWindowsWithALongDescriptionAndAResult()
    {
        QFETCH(Method, method);
        RunWindow& window = runWindow(method);
        RunWindowDriver driver(window);
        showAndPaint(window);
        driver.load(*m_dialogs, problemFile());
        if (method == Method::AndOr) {
            // Heuristics on: the Lambda fields are enabled, their texts drawn in full.
            driver.control<RadioGroup>(QStringLiteral("RadioGroup2"))->setItemIndex(0);
            m_windows->form4.RadioGroup2Click();
        }
        driver.calculate();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{"Cálculo concluído"});
        showAndPaint(window);
        expectLooksRight(window);

        auto* description = driver.control<ElidedLabel>(QStringLiteral("Label1"));
        QVERIFY(description->shownText().endsWith(QChar(0x2026)));
        QVERIFY(description->text().startsWith(QStringLiteral("Placa de vidro")));

        // The summary shows its five lines whole, without scrolling either way.
        auto* summary = driver.control<ReportView>(QStringLiteral("Memo2"));
        QCOMPARE(summary->lines().size(), 5);
        QVERIFY(summary->lines().at(2).size() >=
                QStringLiteral("Perda = 0,333333333333333 %").size());
        QCOMPARE(summary->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(summary->verticalScrollBar()->maximum(), 0);

        driver.trigger(QStringLiteral("VisualizarPadrao1"));
        auto* pattern = window.findChild<PatternWindow*>();
        QVERIFY(pattern);
        showAndPaint(*pattern);
        expectLooksRight(*pattern);
    }

    void editorInEachOfItsStates()
    {
        TForm3& editor = m_windows->form3;
        showAndPaint(editor);
        m_dialogs->queueOpenFileName(QStringLiteral(QUADRIX_TEST_DATA_DIR "/example.BI"));
        editor.Abrir1Click();
        showAndPaint(editor);
        expectLooksRight(editor);
        editor.Button3Click();
        showAndPaint(editor);
        expectLooksRight(editor);
        editor.Novo1Click();
        showAndPaint(editor);
        expectLooksRight(editor);
    }

    void libraryViewerShowingAText()
    {
        TForm2& viewer = m_windows->form2;
        viewer.setProgramDirectory(QStringLiteral(QUADRIX_LIBRARY_TEXTS_DIR));
        viewer.AlgoritmodeWang1Click();
        QVERIFY(m_dialogs->messages().isEmpty());
        showAndPaint(viewer);
        expectLooksRight(viewer);
    }

private:
    QList<RunWindow*> runWindows() const { return {&m_windows->form4, &m_windows->form5}; }

    RunWindow& runWindow(Method method) const
    {
        if (method == Method::AndOr)
            return m_windows->form4;
        return m_windows->form5;
    }

    QList<QWidget*> allWindows() const
    {
        ProgramWindows& w = *m_windows;
        return {&w.form1, &w.form2,    &w.form3,     &w.form4,
                &w.form5, &w.aboutBox, &w.aboutBox1, &w.aboutBox2};
    }

    QString problemFile() const
    {
        const QString path = m_folder.filePath(QStringLiteral("longa.BI"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(longProblem) != longProblem.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_folder;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<ProgramWindows> m_windows;
};

QUADRIX_GUI_TEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
