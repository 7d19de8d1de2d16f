#include "LibraryViewer.h"

TForm2::TForm2()
{
    setWindowTitle(QStringLiteral("Quadrix - Bibliotecas Computacionais"));
    resize(840, 655);
}
