// Opens the run windows on the examples, calculates, shows the best pattern and saves a PNG of
// each window: the screenshots of the README. Run under an X server (tools/screenshots.sh).
#include "andor/ui/AndOrWindow.h"
#include "widgets/Dialogs.h"
#include "pattern/ui/PatternWindow.h"
#include "wang/ui/WangWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
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
    if (!window.resultPresent() || !save(window, shot))
        return false;
    if (patternShot.isEmpty())
        return true;
    window.findChild<QAction*>(QStringLiteral("VisualizarPadrao1"))->trigger();
    auto* pattern = window.findChild<PatternWindow*>();
    return pattern && save(*pattern, patternShot);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s EXAMPLES_DIR OUTPUT_DIR\n", argv[0]);
        return 1;
    }
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    ExampleDialogs dialogs;
    Dialogs::setBackend(&dialogs);

    TForm4 andOr;
    TForm5 wang;
    wang.findChild<QLineEdit*>(QStringLiteral("Edit4"))
        ->setText(QStringLiteral("0") + QLocale::system().decimalPoint() + QStringLiteral("01"));
    const bool shot = shoot(andOr, dialogs, examples.filePath(QStringLiteral("cgcut1.BI")),
                            output.filePath(QStringLiteral("andor-window.png")),
                            output.filePath(QStringLiteral("pattern-window.png"))) &&
                      shoot(wang, dialogs, examples.filePath(QStringLiteral("2s.BI")),
                            output.filePath(QStringLiteral("wang-window.png")),
                            output.filePath(QStringLiteral("wang-pattern-window.png")));
    Dialogs::setBackend(nullptr);
    return shot ? 0 : 1;
}
