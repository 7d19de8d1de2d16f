#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/ui/RunWindow.h"
#include "wang/WangRun.h"

#include <expected>

class QLineEdit;

// The Wang run window: "Beta", "Calcular", report, summary and piece counts.
class TForm5 : public RunWindow {
    Q_OBJECT
public:
    TForm5();

    void Button1Click() override;

protected:
    QString progressText(const problem::RunProgress& progress) const override;
    void setParametersEnabled(bool enabled) override;

private:
    // What the worker leaves for the window: the run, and for a result its report lines and
    // pattern, made there too as a report of a long list takes a while.
    struct Outcome {
        std::expected<wang::WangRun, wang::WangError> run =
            std::unexpected(wang::WangFailure::Stopped);
        problem::ReportLines report;
        problem::ReportLines summary;
        pattern::CuttingPattern pattern;

        void compute(const problem::TInstance& instance, float beta, problem::RunControl& control,
                     char separator);
    };

    void showOutcome(Outcome& outcome);
    // The run behind "Calcular"; Button1Click ends it as a failed run where memory runs out.
    void calculate();

    QLineEdit* Edit4;
};
