// Opens the library viewer as the program does, from this executable's own folder, and shows
// each library text. The package test runs a copy of it placed in an installed tree's bin/,
// where no text lies beside it. Exit status 0 when every text was shown.
#include "shell/ui/LibraryViewer.h"
#include "support/ui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QTextEdit>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ScriptedDialogs dialogs;
    TForm2 viewer;
    const auto* area = viewer.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    int failures = 0;
    for (const char* item :
         {"AbordagemGrafoEOUIrrestrito1", "AbordagemGrafoEOU1", "AlgoritmodeWang1"}) {
        auto* action = viewer.findChild<QAction*>(QLatin1String(item));
        if (!action || !area) {
            std::printf("%s: missing from the viewer\n", item);
            return 1;
        }
        dialogs.clearMessages();
        action->trigger();
        // Every shipped text names the classic problem its examples come from.
        const bool shown = dialogs.messages().isEmpty() &&
                           area->toPlainText().contains(QStringLiteral("Christofides e Whitlock"));
        std::printf("%s: %s\n", item, shown ? "shown" : "NOT shown");
        failures += shown ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
