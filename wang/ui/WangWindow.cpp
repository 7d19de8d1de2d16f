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
    const auto run = wang::runWang(instance(), *beta);
    if (!run) {
        Dialogs::error(toQString(wang::failureMessage(run.error())));
        return;
    }
    const problem::ReportLines summary = wang::wangSummary(*run, decimalSeparator());
    setResultPattern(wang::wangCuttingPattern(run->patterns, run->best, instance()),
                     pattern::summaryLinesForDrawing(summary));
    completeRun(wang::wangReport(instance(), *run, decimalSeparator()), summary, run->counts);
}
