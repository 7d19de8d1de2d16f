#pragma once

#include "andor/ui/AndOrWindow.h"
#include "problem/ui/InputFileEditor.h"
#include "shell/ui/AboutBoxes.h"
#include "shell/ui/LibraryViewer.h"
#include "shell/ui/MainWindow.h"
#include "wang/ui/WangWindow.h"

// Every window of the program, created at start-up in this order and kept until the program
// ends; each is wired to the window that opens it and opens centred on the main window's screen.
struct ProgramWindows {
    ProgramWindows();

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    TForm5 form5;
    TAboutBox aboutBox;
    TAboutBox1 aboutBox1;
    TAboutBox2 aboutBox2;
};
