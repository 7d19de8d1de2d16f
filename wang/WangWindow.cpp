#include "WangWindow.h"

TForm5::TForm5()
{
    setWindowTitle(QStringLiteral("Quadrix - Algoritmo de Wang"));
    resize(985, 642);
}

void TForm5::setAboutBox(QDialog* aboutBox) { m_aboutBox = aboutBox; }
