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
#include <QtTest>

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

    void calculate() const
    {
        auto* button = control<QPushButton>(QStringLiteral("Button1"));
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }

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
