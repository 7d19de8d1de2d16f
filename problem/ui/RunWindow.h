#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"
#include "problem/Report.h"

#include <QMainWindow>

#include <array>

class ReportView;
class PatternWindow;
class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class StringGrid;

// What both run windows share: the loaded problem, the report areas, the count grid,
// loading a BI file and saving the report.
class RunWindow : public QMainWindow {
    Q_OBJECT
public:
    void setAboutBox(QDialog* aboutBox) { m_aboutBox = aboutBox; }
    bool instanceLoaded() const { return m_instanceLoaded; }
    bool resultPresent() const { return m_resultPresent; }
    const problem::TInstance& instance() const { return m_instance; }

    void Abrir1Click();
    void SalvarResultado1Click();
    void VisualizarPadrao1Click();
    void Fechar1Click();
    void Sobre1Click();
    virtual void Button1Click() = 0;

protected:
    RunWindow(const QString& objectName, const QString& caption, QSize size);

    // The decimal separator of the user's locale, used for every real typed or shown; a point
    // where the locale's is no single ASCII character.
    static char decimalSeparator();
    // A decimal written with a comma, as the user's locale writes it: a default that converts.
    static QString localDecimal(const char* text);
    static QString toQString(const std::string& text) { return QString::fromStdString(text); }

    // The start of a run: report areas emptied and "Calculando..." shown.
    void beginRun();
    // The best pattern of the run about to complete and the summary lines its drawing repeats.
    void setResultPattern(pattern::CuttingPattern pattern, std::vector<std::string> runLines);
    // The end of a successful run: report, summary and count grid shown, flag set, confirmed.
    void completeRun(const problem::ReportLines& report, const problem::ReportLines& summary,
                     const std::array<std::int32_t, problem::maxPieceTypes>& counts);

    QLabel* Label1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    StringGrid* StringGrid1;
    ReportView* Memo1;
    ReportView* Memo2;
    StringGrid* StringGrid2;
    QPushButton* Button1;
    QAction* SalvarResultado1;
    QAction* VisualizarPadrao1;

private:
    void addMenu();
    void addInstanceControls();
    QLabel* addLabel(const QString& name, const QString& text, int left, int top);
    QLineEdit* addEdit(const QString& name, int left);
    void showInstance();
    void setResultPresent(bool present);

    problem::TInstance m_instance;
    bool m_instanceLoaded = false;
    bool m_resultPresent = false;
    QDialog* m_aboutBox = nullptr;
    pattern::CuttingPattern m_resultPattern;
    std::vector<std::string> m_resultRunLines;
    PatternWindow* m_patternWindow = nullptr; // made at first use, reused after
};
