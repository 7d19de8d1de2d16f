#pragma once

#include "problem/ui/RunWindow.h"

class QLineEdit;

// The Wang run window: "Beta", "Calcular", report, summary and piece counts.
class TForm5 : public RunWindow {
    Q_OBJECT
public:
    TForm5();

    void Button1Click() override;

private:
    // The run behind "Calcular"; Button1Click ends it as a failed run where memory runs out.
    void calculate();

    QLineEdit* Edit4;
};
