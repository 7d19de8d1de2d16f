#include "shell/ui/AboutBoxes.h"
#include "andor/ui/AndOrWindow.h"
#include "widgets/Dialogs.h"
#include "problem/ui/InputFileEditor.h"
#include "shell/ui/LibraryViewer.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/QuadrixApplication.h"
#include "wang/ui/WangWindow.h"

#include <exception>

namespace {

int runProgram(int argc, char** argv)
{
    QuadrixApplication app(argc, argv);
    // Every window lives from start-up to the end; only the main one is shown.
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    TForm5 form5;
    TAboutBox aboutBox;
    TAboutBox1 aboutBox1;
    TAboutBox2 aboutBox2;
    form1.setWindows(&form2, &form3, &form4, &form5, &aboutBox2);
    form4.setAboutBox(&aboutBox);
    form5.setAboutBox(&aboutBox1);
    form1.show();
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
    try {
        runProgram(argc, argv);
    } catch (...) {
        // Nothing can be shown without an application object; the program ends quietly.
    }
    return 0;
}
