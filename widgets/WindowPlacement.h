#pragma once

class QWidget;

// Centres a window on the screen that holds anchor (its own screen without one) the first time
// it is shown; later it opens where the user left it. A window larger than the screen's free
// area keeps its title bar on the screen.
void centreWhenFirstShown(QWidget* window, const QWidget* anchor = nullptr);
