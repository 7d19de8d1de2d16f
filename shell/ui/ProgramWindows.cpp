#include "shell/ui/ProgramWindows.h"

ProgramWindows::ProgramWindows()
{
    form1.setWindows(&form2, &form3, &form4, &form5, &aboutBox2);
    form4.setAboutBox(&aboutBox);
    form5.setAboutBox(&aboutBox1);
}
