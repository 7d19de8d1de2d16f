#include "InputFileEditor.h"

TForm3::TForm3()
{
    setWindowTitle(QStringLiteral("Quadrix - Arquivos de Entrada"));
    resize(558, 518);
}
