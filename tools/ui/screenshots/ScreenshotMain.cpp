// Opens the run windows on the examples, calculates, shows the best pattern and saves a PNG of
// each window: the screenshots of the README. Run under an X server (tools/screenshots.sh).
#include "pattern/ui/PatternWindow.h"
#include "problem/MemoryGuard.h"
#include "shell/ui/ProgramWindows.h"
#include "widgets/Dialogs.h"
#include "widgets/ProgramLook.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>

#include <cstdio>

namespace {

// Answers the open dialog with the example to load; messages go to standard error.
class ExampleDialogs : public Dialogs::Backend {
public:
    QString file;

    void message(const QString& text, const QString&, Dialogs::Icon) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    QString openFileName(const QString&) override { return file; }
    Dialogs::SaveChoice saveFile(const QString&) override { return {}; }
    bool printerSetup(QPrinter&) override { return false; }
};

// Shows a window, lets it paint and saves what it shows.
bool save(QWidget& window, const QString& path)
{
    window.show();
    window.raise();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Lets the window work until its run ends.
void waitForRunEnd(const RunWindow& window)
{
    while (window.running())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Loads the example into the window, calculates and saves the window and, when asked, its
// pattern window.
bool shoot(RunWindow& window, ExampleDialogs& dialogs, const QString& example, const QString& shot,
           const QString& patternShot)
{
    dialogs.file = example;
    window.findChild<QAction*>(QStringLiteral("Abrir1"))->trigger();
    window.show();
    QApplication::processEvents();
    window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    waitForRunEnd(window);
    if (!window.resultPresent() || !save(window, shot))
        return false;
    if (patternShot.isEmpty())
        return true;
    window.findChild<QAction*>(QStringLiteral("VisualizarPadrao1"))->trigger();
    auto* pattern = window.findChild<PatternWindow*>();
    return pattern && save(*pattern, patternShot);
}

// The AND/OR window two seconds into a long run (okp1, depth 6), then stopped with "Parar".
bool shootRunInProgress(TForm4& window, ExampleDialogs& dialogs, const QString& problem,
                        const QString& shot)
{
    dialogs.file = problem;
    window.findChild<QAction*>(QStringLiteral("Abrir1"))->trigger();
    window.findChild<QLineEdit*>(QStringLiteral("Edit4"))->setText(QStringLiteral("6"));
    window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const bool saved = save(window, shot);
    window.findChild<QAction*>(QStringLiteral("Parar1"))->trigger();
    waitForRunEnd(window);
    return saved;
}

// The windows the README does not show, saved to be looked at: the main window, the editor
// and the library viewer with a text, an About box, and a run in progress.
bool shootOthers(ProgramWindows& windows, ExampleDialogs& dialogs, const QDir& examples,
                 const QDir& output)
{
    dialogs.file = examples.filePath(QStringLiteral("cgcut1.BI"));
    windows.form3.Abrir1Click();
    windows.form2.setProgramDirectory(QStringLiteral("shell/library"));
    windows.form2.AbordagemGrafoEOUIrrestrito1Click();
    return save(windows.form1, output.filePath(QStringLiteral("main-window.png"))) &&
           save(windows.form3, output.filePath(QStringLiteral("editor.png"))) &&
           save(windows.form2, output.filePath(QStringLiteral("library-viewer.png"))) &&
           save(windows.aboutBox, output.filePath(QStringLiteral("about-box.png"))) &&
           shootRunInProgress(windows.form4, dialogs,
                              examples.filePath(QStringLiteral("../instances/okp1.BI")),
                              output.filePath(QStringLiteral("run-in-progress.png")));
}

} // namespace

int main(int argc, char** argv)
{
    problem::returnLargeBlocksWhenFreed();
    QApplication app(argc, argv);
    applyProgramLook(app);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s EXAMPLES_DIR OUTPUT_DIR [OTHER_WINDOWS_DIR]\n", argv[0]);
        return 1;
    }
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    ExampleDialogs dialogs;
    Dialogs::setBackend(&dialogs);

    ProgramWindows windows;
    windows.form1.show();
    bool shot = shoot(windows.form4, dialogs, examples.filePath(QStringLiteral("cgcut1.BI")),
                      output.filePath(QStringLiteral("andor-window.png")),
                      output.filePath(QStringLiteral("pattern-window.png"))) &&
                shoot(windows.form5, dialogs, examples.filePath(QStringLiteral("2s.BI")),
                      output.filePath(QStringLiteral("wang-window.png")),
                      output.filePath(QStringLiteral("wang-pattern-window.png")));
    if (shot && argc == 4)
        shot = shootOthers(windows, dialogs, examples, QDir(QString::fromLocal8Bit(argv[3])));
    Dialogs::setBackend(nullptr);
    return shot ? 0 : 1;
}
