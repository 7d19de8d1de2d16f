#pragma once

#include <QStringList>

class QWidget;

// What a user would see wrong in a window as it is now: a text larger than the control that
// draws it (labels, buttons, radio buttons, check boxes, group titles, fields, grid headings),
// two controls of one parent on top of each other, a control reaching out of its parent.
// One line per fault, naming the controls; empty when the window looks right.
QStringList layoutFaults(const QWidget& window);
