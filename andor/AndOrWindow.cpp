#include "AndOrWindow.h"

TForm4::TForm4()
{
    setWindowTitle(QStringLiteral("Quadrix - Abordagem Grafo E/OU"));
    resize(985, 641);
}

void TForm4::setAboutBox(QDialog* aboutBox) { m_aboutBox = aboutBox; }
