#include "andor/ui/AndOrWindow.h"

#include "andor/AndOrReport.h"
#include "andor/AndOrRun.h"
#include "andor/ParameterTexts.h"
#include "andor/PatternOfLayout.h"
#include "pattern/PatternScene.h"
#include "widgets/Dialogs.h"
#include "widgets/RadioGroup.h"
#include "widgets/ReportView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <new>

TForm4::TForm4()
    : RunWindow(QStringLiteral("Form4"), QStringLiteral("Quadrix - Abordagem Grafo E/OU"),
                QSize(985, 641))
{
    Memo1->setGeometry(392, 104, 401, 449);
    Button1->setGeometry(816, 16, 137, 65);
    addParameterControls();
    RadioGroup2Click();
}

void TForm4::addParameterControls()
{
    RadioGroup1 =
        new RadioGroup(QStringLiteral("Problema de Corte"),
                       {QStringLiteral("Irrestrito"), QStringLiteral("Restrito")}, centralWidget());
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(392, 8, 113, 86);
    RadioGroup1->setItemIndex(1);
    RadioGroup2 = new RadioGroup(QStringLiteral("Heurísticas"),
                                 {QStringLiteral("Sim"), QStringLiteral("Não")}, centralWidget());
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(512, 8, 81, 86);
    RadioGroup2->setItemIndex(1);
    connect(RadioGroup2, &RadioGroup::clicked, this, &TForm4::RadioGroup2Click);

    addParameterLabel(QStringLiteral("Label5"), QStringLiteral("Profundidade"), 608, 8);
    Edit4 = addParameterEdit(QStringLiteral("Edit4"), QStringLiteral("3"), {608, 24, 65, 21});
    Label6 = addParameterLabel(QStringLiteral("Label6"), QStringLiteral("Lambda 1"), 688, 8);
    Edit5 = addParameterEdit(QStringLiteral("Edit5"), localDecimal("0,1"), {688, 24, 49, 21});
    Label7 = addParameterLabel(QStringLiteral("Label7"), QStringLiteral("Lambda 2"), 744, 8);
    Edit6 = addParameterEdit(QStringLiteral("Edit6"), localDecimal("0,95"), {744, 24, 49, 21});
    addParameterLabel(QStringLiteral("Label8"), QStringLiteral("Conjunto de discretização"), 608,
                      56);
    Edit7 = addParameterEdit(QStringLiteral("Edit7"), QStringLiteral("100"), {608, 72, 122, 21});
    addParameterLabel(QStringLiteral("Label9"), QStringLiteral("Simetria"), 744, 56);
    ComboBox1 = new QComboBox(centralWidget());
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("Não"), QStringLiteral("Sim")});
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(744, 72, 49, 21);
    addParameterLabel(QStringLiteral("Label10"), QString(), 272, 0);
}

QLabel* TForm4::addParameterLabel(const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, centralWidget());
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* TForm4::addParameterEdit(const QString& name, const QString& text, QRect geometry)
{
    auto* edit = new QLineEdit(text, centralWidget());
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

void TForm4::RadioGroup2Click()
{
    const bool lambdasUsed = RadioGroup2->itemIndex() != 1;
    for (QWidget* widget : {static_cast<QWidget*>(Edit5), static_cast<QWidget*>(Edit6),
                            static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label7)})
        widget->setEnabled(lambdasUsed);
}

int TForm4::symmetryItemIndex() const
{
    // A text typed into the box selects the item it spells, or none.
    return ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly);
}

bool TForm4::readParameters()
{
    const andor::ParameterTexts texts{Edit4->text().toStdString(), Edit7->text().toStdString(),
                                      symmetryItemIndex() != 0,    RadioGroup2->itemIndex() == 0,
                                      Edit5->text().toStdString(), Edit6->text().toStdString()};
    const auto settings = andor::readParameters(texts, decimalSeparator());
    if (!settings) {
        Dialogs::error(toQString(settings.error()));
        return false;
    }
    m_settings = *settings;
    return true;
}

void TForm4::Button1Click()
{
    try {
        calculate();
    } catch (const std::bad_alloc&) {
        Dialogs::error(toQString(andor::failureMessage(andor::AndOrFailure::OutOfMemory)));
    }
}

void TForm4::Outcome::compute(const problem::TInstance& instance, andor::ProblemKind kind,
                              const andor::SolverSettings& settings,
                              const andor::AndOrReportChoices& choices, char separator)
{
    try {
        run = andor::runAndOr(instance, kind, settings);
        if (!run)
            return;
        summary = andor::andOrSummary(instance, *run, separator);
        pattern = andor::cuttingPatternOf(run->layout, instance);
        report = andor::andOrReport(instance, *run, choices, separator);
    } catch (const std::bad_alloc&) {
        run = std::unexpected(andor::AndOrFailure::OutOfMemory);
    }
}

void TForm4::showOutcome(Outcome& outcome)
{
    if (!outcome.run) {
        showFailure(andor::failureMessage(outcome.run.error()),
                    outcome.run.error() == andor::AndOrFailure::Stopped);
        return;
    }
    setResultPattern(std::move(outcome.pattern), pattern::summaryLinesForDrawing(outcome.summary));
    completeRun(outcome.report, outcome.summary, outcome.run->counts);
}

QString TForm4::progressText(const problem::RunProgress& progress) const
{
    return toQString(andor::progressText(progress));
}

void TForm4::setParametersEnabled(bool enabled)
{
    for (QWidget* widget : {static_cast<QWidget*>(RadioGroup1), static_cast<QWidget*>(RadioGroup2),
                            static_cast<QWidget*>(Edit4), static_cast<QWidget*>(Edit7),
                            static_cast<QWidget*>(ComboBox1)})
        widget->setEnabled(enabled);
    if (enabled)
        RadioGroup2Click();
    else
        for (QWidget* widget : {static_cast<QWidget*>(Edit5), static_cast<QWidget*>(Edit6)})
            widget->setEnabled(false);
}

void TForm4::calculate()
{
    if (!instanceLoaded()) {
        Dialogs::error(QStringLiteral("Abra um arquivo de entrada!"));
        return;
    }
    if (!readParameters())
        return;
    const andor::ProblemKind kind = RadioGroup1->itemIndex() != 0
                                        ? andor::ProblemKind::Constrained
                                        : andor::ProblemKind::Unconstrained;
    // Inputs outside the model are refused before the report areas change.
    if (const auto fault = andor::findInputFault(instance(), kind, m_settings)) {
        Dialogs::error(toQString(andor::failureMessage(*fault)));
        return;
    }
    const andor::AndOrReportChoices choices{
        RadioGroup1->itemIndex() == 1, m_settings.depthLimit,         m_settings.setCapacity,
        symmetryItemIndex() != 0,      RadioGroup2->itemIndex() == 0, Edit5->text().toStdString(),
        Edit6->text().toStdString()};
    beginRun();
    auto outcome = std::make_shared<Outcome>();
    startRun(
        [outcome, instance = instance(), kind, settings = m_settings, choices,
         separator = decimalSeparator()](problem::RunControl& control) mutable {
            settings.control = &control;
            outcome->compute(instance, kind, settings, choices, separator);
        },
        [this, outcome] { showOutcome(*outcome); });
}
