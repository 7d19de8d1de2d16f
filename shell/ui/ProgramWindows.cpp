#include "shell/ui/ProgramWindows.h"

#include "widgets/WindowPlacement.h"

ProgramWindows::ProgramWindows()
{
    form1.setWindows(&form2, &form3, &form4, &form5, &aboutBox2);
    form4.setAboutBox(&aboutBox);
    form5.setAboutBox(&aboutBox1);
    centreWhenFirstShown(&form1);
    for (QWidget* window : std::initializer_list<QWidget*>{&form2, &form3, &form4, &form5,
                                                           &aboutBox, &aboutBox1, &aboutBox2})
        centreWhenFirstShown(window, &form1);
}
