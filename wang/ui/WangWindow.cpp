#include "wang/ui/WangWindow.h"

#include "pattern/PatternScene.h"
#include "wang/BetaText.h"
#include "wang/WangPattern.h"
#include "wang/WangReport.h"
#include "wang/WangRun.h"
#include "widgets/Dialogs.h"
#include "widgets/ReportView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <new>

TForm5::TForm5()
    : RunWindow(QStringLiteral("Form5"), QStringLiteral("Quadrix - Algoritmo de Wang"),
                QSize(985, 642))
{
    Memo1->setGeometry(392, 16, 393, 537);
    Button1->setGeometry(816, 52, 137, 41);
    auto* label5 = new QLabel(QStringLiteral("Beta"), centralWidget());
    label5->setObjectName(QStringLiteral("Label5"));
    label5->move(832, 19);
    Edit4 = new QLineEdit(localDecimal("0,01"), centralWidget());
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit4->setGeometry(864, 16, 73, 21);
    auto* label6 = new QLabel(centralWidget());
    label6->setObjectName(QStringLiteral("Label6"));
    label6->move(608, 0);
}

void TForm5::Button1Click()
{
    try {
        calculate();
    } catch (const std::bad_alloc&) {
        Dialogs::error(toQString(wang::failureMessage(wang::WangFailure::OutOfMemory)));
    }
}

void TForm5::Outcome::compute(const problem::TInstance& instance, float beta,
                              problem::RunControl& control, char separator)
{
    try {
        wang::WangOptions options;
        options.control = &control;
        run = wang::runWang(instance, beta, options);
        if (!run)
            return;
        summary = wang::wangSummary(*run, separator);
        pattern = wang::wangCuttingPattern(run->patterns, run->best, instance);
        report = wang::wangReport(instance, *run, separator, &control);
    } catch (const std::bad_alloc&) {
        run = std::unexpected(wang::WangFailure::OutOfMemory);
    } catch (const problem::RunStopped&) {
        run = std::unexpected(wang::WangFailure::Stopped);
    }
}

void TForm5::showOutcome(Outcome& outcome)
{
    if (!outcome.run) {
        showFailure(wang::failureMessage(outcome.run.error()),
                    outcome.run.error() == wang::WangFailure::Stopped);
        return;
    }
    setResultPattern(std::move(outcome.pattern), pattern::summaryLinesForDrawing(outcome.summary));
    completeRun(outcome.report, outcome.summary, outcome.run->counts);
}

QString TForm5::progressText(const problem::RunProgress& progress) const
{
    return toQString(wang::progressText(progress));
}

void TForm5::setParametersEnabled(bool enabled)
{
    Edit4->setEnabled(enabled);
}

void TForm5::calculate()
{
    if (!instanceLoaded()) {
        Dialogs::error(QStringLiteral("Abra um arquivo de entrada!"));
        return;
    }
    const auto beta = wang::readBeta(Edit4->text().toStdString(), decimalSeparator());
    if (!beta) {
        Dialogs::error(toQString(beta.error()));
        return;
    }
    beginRun();
    auto outcome = std::make_shared<Outcome>();
    startRun(
        [outcome, instance = instance(), beta = *beta, separator = decimalSeparator()](
            problem::RunControl& control) { outcome->compute(instance, beta, control, separator); },
        [this, outcome] { showOutcome(*outcome); });
}
