#include "shell/ui/QuadrixApplication.h"

#include "widgets/Dialogs.h"
#include "widgets/ProgramLook.h"

#include <exception>

QuadrixApplication::QuadrixApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quadrix"));
    setApplicationVersion(QStringLiteral("1.0"));
    // Hidden windows must not end the program; the main window ends it explicitly.
    setQuitOnLastWindowClosed(false);
    applyProgramLook(*this);
}

bool QuadrixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        Dialogs::exceptionReport(QString::fromUtf8(failure.what()));
    } catch (...) {
        Dialogs::exceptionReport(QString());
    }
    return false;
}
