#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"
#include "problem/Report.h"
#include "problem/RunControl.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class ReportView;
class PatternWindow;
class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;
class QTimer;
class StringGrid;

// What both run windows share: the loaded problem, the report areas, the count grid,
// loading a BI file and saving the report.
class RunWindow : public QMainWindow {
    Q_OBJECT
public:
    ~RunWindow() override;

    void setAboutBox(QDialog* aboutBox) { m_aboutBox = aboutBox; }
    bool instanceLoaded() const { return m_instanceLoaded; }
    bool resultPresent() const { return m_resultPresent; }
    const problem::TInstance& instance() const { return m_instance; }
    // True from "Calcular" until the run's result or failure is shown.
    bool running() const { return m_running; }

    void Abrir1Click();
    void SalvarResultado1Click();
    void VisualizarPadrao1Click();
    void Fechar1Click();
    void Sobre1Click();
    void Parar1Click();
    virtual void Button1Click() = 0;

    // Called on the worker thread as each run starts, before its work: lets a test hold a run
    // in progress without depending on timing. Empty by default.
    static void setRunStartHook(std::function<void(problem::RunControl&)> hook);
    // Runs the work on the window's own thread instead of a worker, for tests that make each
    // allocation fail in turn.
    static void setRunsInline(bool inline_);

protected:
    RunWindow(const QString& objectName, const QString& caption, QSize size);

    void closeEvent(QCloseEvent* event) override;

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
    // Runs work on a worker thread with room for the deepest search the core allows, the
    // window's inputs disabled and "Parar" enabled meanwhile; then calls finish on this
    // window's thread. work must not touch the window and must not throw.
    void startRun(std::function<void(problem::RunControl&)> work, std::function<void()> finish);
    // The end of a run that gave no result: "Cálculo interrompido." for a stopped run, the
    // error box with message otherwise.
    static void showFailure(const std::string& message, bool stopped);
    // The progress of the window's method for the status bar.
    virtual QString progressText(const problem::RunProgress& progress) const = 0;
    // Enables or disables the fields whose values a run reads.
    virtual void setParametersEnabled(bool enabled) = 0;

    QLabel* Label1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    StringGrid* StringGrid1;
    ReportView* Memo1;
    ReportView* Memo2;
    StringGrid* StringGrid2;
    QPushButton* Button1;
    QAction* Abrir1;
    QAction* SalvarResultado1;
    QAction* VisualizarPadrao1;
    QAction* Parar1;

private:
    void addMenu();
    void addInstanceControls();
    QLabel* addLabel(const QString& name, const QString& text, int left, int top);
    QLineEdit* addEdit(const QString& name, int left);
    void showInstance();
    void setResultPresent(bool present);
    void setRunning(bool running);
    void showProgress();
    // Stops the run under way, if any, and waits for its thread; its result is dropped and the
    // controls are left as they are.
    void abandonRun();

    problem::TInstance m_instance;
    bool m_instanceLoaded = false;
    bool m_resultPresent = false;
    QDialog* m_aboutBox = nullptr;
    pattern::CuttingPattern m_resultPattern;
    std::vector<std::string> m_resultRunLines;
    PatternWindow* m_patternWindow = nullptr; // made at first use, reused after
    bool m_running = false;
    QThread* m_worker = nullptr;
    quint64 m_runSerial = 0; // tells a finished run from an abandoned one
    std::unique_ptr<problem::RunControl> m_control;
    problem::RunProgress m_progress; // as last reported by the worker
    QElapsedTimer m_runClock;
    QTimer* m_progressTimer = nullptr;
};
