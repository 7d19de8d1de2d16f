#pragma once

#include "andor/AndOrReport.h"
#include "andor/AndOrRun.h"
#include "andor/SolverSettings.h"
#include "pattern/CuttingPattern.h"
#include "problem/ui/RunWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class RadioGroup;

// The AND/OR run window: parameters, "Calcular", report, summary and piece counts.
class TForm4 : public RunWindow {
    Q_OBJECT
public:
    TForm4();

    void Button1Click() override;
    void RadioGroup2Click();

protected:
    QString progressText(const problem::RunProgress& progress) const override;
    void setParametersEnabled(bool enabled) override;

private:
    // What the worker leaves for the window: the run, and for a result its report lines and
    // pattern, made there too as a long report takes a while.
    struct Outcome {
        std::expected<andor::AndOrRun, andor::AndOrFailure> run =
            std::unexpected(andor::AndOrFailure::Stopped);
        problem::ReportLines report;
        problem::ReportLines summary;
        pattern::CuttingPattern pattern;

        void compute(const problem::TInstance& instance, andor::ProblemKind kind,
                     const andor::SolverSettings& settings,
                     const andor::AndOrReportChoices& choices, char separator);
    };

    void showOutcome(Outcome& outcome);
    // The run behind "Calcular"; Button1Click ends it as a failed run where memory runs out.
    void calculate();
    void addParameterControls();
    QLabel* addParameterLabel(const QString& name, const QString& text, int left, int top);
    QLineEdit* addParameterEdit(const QString& name, const QString& text, QRect geometry);
    // Reads the parameter fields into m_settings; false after showing the field's message.
    bool readParameters();
    int symmetryItemIndex() const;

    RadioGroup* RadioGroup1;
    RadioGroup* RadioGroup2;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLabel* Label6;
    QLabel* Label7;
    QComboBox* ComboBox1;
    andor::SolverSettings m_settings;
};
