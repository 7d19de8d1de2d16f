#include "cli/CliMain.h"

#include <clocale>

int main(int argc, char** argv)
{
    // Reals are read and written with the decimal separator of the user's locale.
    std::setlocale(LC_ALL, "");
    return runCli(argc, argv);
}
