#pragma once

#include "problem/ui/RunWindow.h"
#include "support/ui/ScriptedDialogs.h"
#include "widgets/ReportView.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

// Finds a run window's controls by name and drives them as a user would.
class RunWindowDriver {
public:
    explicit RunWindowDriver(RunWindow& window) : m_window(window) {}

    template <typename T = QWidget> T* control(const QString& name) const
    {
        T* found = m_window.findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    void trigger(const QString& actionName) const
    {
        QAction* action = control<QAction>(actionName);
        QVERIFY(action->isEnabled());
        action->trigger();
    }

    void load(ScriptedDialogs& dialogs, const QString& path) const
    {
        dialogs.queueOpenFileName(path);
        trigger(QStringLiteral("Abrir1"));
    }

    // Clicks "Calcular" and waits until the run's result or failure is shown.
    void calculate() const
    {
        auto* button = control<QPushButton>(QStringLiteral("Button1"));
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        waitForRunEnd();
    }

    void waitForRunEnd() const { QTRY_VERIFY_WITH_TIMEOUT(!m_window.running(), 120000); }

    // Whether what a run reads can be changed or started: the file, "Calcular", the given
    // parameter fields, saving; "Parar" the other way round.
    void verifyInputsEnabled(bool enabled, const QStringList& fields) const
    {
        for (const char* action : {"Abrir1", "SalvarResultado1"})
            QCOMPARE(control<QAction>(QString::fromLatin1(action))->isEnabled(), enabled);
        QCOMPARE(control<QPushButton>(QStringLiteral("Button1"))->isEnabled(), enabled);
        for (const QString& field : fields)
            QCOMPARE(control(field)->isEnabled(), enabled);
        QCOMPARE(control<QAction>(QStringLiteral("Parar1"))->isEnabled(), !enabled);
        if (!enabled)
            QVERIFY(!control<QAction>(QStringLiteral("VisualizarPadrao1"))->isEnabled());
    }

    QString statusText() const { return m_window.statusBar()->currentMessage(); }

    void setText(const QString& edit, const QString& text) const
    {
        control<QLineEdit>(edit)->setText(text);
    }

    QStringList memo(const QString& name) const { return control<ReportView>(name)->lines(); }

    QString countCell(int column, int row) const
    {
        return control<StringGrid>(QStringLiteral("StringGrid2"))->cell(column, row);
    }

private:
    RunWindow& m_window;
};

// While it lives, runs go on the test's own thread, so that a test can make each allocation
// of a run fail in turn without striking the event loop's.
struct InlineRuns {
    InlineRuns() { RunWindow::setRunsInline(true); }
    ~InlineRuns() { RunWindow::setRunsInline(false); }
    InlineRuns(const InlineRuns&) = delete;
    InlineRuns& operator=(const InlineRuns&) = delete;
};

// While it lives, every run holds at its start until it is asked to stop, so that a test sees a
// run in progress without depending on timing.
class HeldRuns {
public:
    HeldRuns()
    {
        RunWindow::setRunStartHook([this](problem::RunControl& control) {
            m_started = true;
            while (!control.stopRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
    }
    ~HeldRuns() { RunWindow::setRunStartHook({}); }
    HeldRuns(const HeldRuns&) = delete;
    HeldRuns& operator=(const HeldRuns&) = delete;

    bool started() const { return m_started; }

private:
    std::atomic<bool> m_started{false};
};

// The report lines of a golden file, with the decimal separator of this run's locale.
inline QStringList goldenLines(const QString& name)
{
    QFile file(QStringLiteral(QUADRIX_TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", qPrintable(name));
    QString text = QString::fromUtf8(file.readAll());
    if (QLocale::system().decimalPoint() != QStringLiteral(","))
        text.replace(QStringLiteral("Perda = 7,5 %"), QStringLiteral("Perda = 7.5 %"));
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeLast();
    return lines;
}

// Report lines with the time line made comparable: a run may cross a second boundary.
inline QStringList withoutTime(QStringList lines)
{
    for (QString& line : lines) {
        if (line.startsWith(QStringLiteral("Tempo: ")))
            line = QStringLiteral("Tempo: ?");
    }
    return lines;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
