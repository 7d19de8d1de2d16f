#include "support/ui/ScriptedDialogs.h"

#include <QPrinter>

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::setBackend(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::setBackend(nullptr);
}

void ScriptedDialogs::queuePrinterSetup(bool accept, const QString& pdfFile)
{
    m_printerAnswers.enqueue({accept, pdfFile});
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Message& shown : m_messages)
        texts << shown.text;
    return texts;
}

void ScriptedDialogs::message(const QString& text, const QString& caption, Dialogs::Icon icon)
{
    m_messages.append({text, caption, icon});
}

QString ScriptedDialogs::openFileName(const QString&)
{
    ++m_openShown;
    return m_openNames.isEmpty() ? QString() : m_openNames.dequeue();
}

Dialogs::SaveChoice ScriptedDialogs::saveFile(const QString& filters)
{
    ++m_saveShown;
    if (m_saveAnswers.isEmpty())
        return {};
    const SaveAnswer answer = m_saveAnswers.dequeue();
    const QStringList offered = filters.split(QStringLiteral(";;"));
    if (answer.filterIndex < 0 || answer.filterIndex >= offered.size())
        qFatal("the save dialog offers no filter %d in %s", answer.filterIndex,
               qPrintable(filters));
    return {answer.name, offered[answer.filterIndex]};
}

bool ScriptedDialogs::printerSetup(QPrinter& printer)
{
    if (m_printerAnswers.isEmpty())
        return false;
    const PrinterAnswer answer = m_printerAnswers.dequeue();
    if (answer.accept && !answer.pdfFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfFile);
    }
    return answer.accept;
}
