#pragma once

class QApplication;
class QFont;

// The windows are laid out for an 8-point dialog font. Liberation Sans (the widths of Arial) is
// narrow enough for the Portuguese captions to fit the controls where they are placed.
QFont dialogFont();
// The main window's four buttons.
QFont bigButtonFont();
// Reports are columns of numbers: a fixed-pitch font keeps them lined up.
QFont reportFont();

// What every window expects of the application: the dialog font, and Qt's own texts (standard
// buttons, file and print dialogs) in Brazilian Portuguese like the rest of the program.
// Returns false when Qt's translations could not be loaded; the program then runs with Qt's
// English texts.
bool applyProgramLook(QApplication& app);
