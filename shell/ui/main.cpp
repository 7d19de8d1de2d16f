#include "problem/MemoryGuard.h"
#include "shell/ui/ProgramWindows.h"
#include "shell/ui/QuadrixApplication.h"
#include "widgets/Dialogs.h"

#include <exception>

namespace {

int runProgram(int argc, char** argv)
{
    QuadrixApplication app(argc, argv);
    // Every window lives from start-up to the end; only the main one is shown.
    ProgramWindows windows;
    windows.form1.show();
    try {
        return app.exec();
    } catch (const std::exception& failure) {
        Dialogs::exceptionReport(QString::fromUtf8(failure.what()));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Long runs should leave nothing behind in the process once they end.
    problem::returnLargeBlocksWhenFreed();
    try {
        runProgram(argc, argv);
    } catch (...) {
        // Nothing can be shown without an application object; the program ends quietly.
    }
    return 0;
}
