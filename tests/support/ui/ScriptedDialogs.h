#pragma once

#include "widgets/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

// A dialog backend for tests: records every message and answers from queues.
// An unanswered file dialog is a cancel; an unanswered printer set-up too.
class ScriptedDialogs : public Dialogs::Backend {
public:
    struct Message {
        QString text;
        QString caption;
        Dialogs::Icon icon;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void queueOpenFileName(const QString& name) { m_openNames.enqueue(name); }
    void queueSaveFileName(const QString& name) { m_saveNames.enqueue(name); }
    // When accepted, the printer is pointed at this PDF file.
    void queuePrinterSetup(bool accept, const QString& pdfFile = QString());

    const QList<Message>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    void clearMessages() { m_messages.clear(); }
    int openDialogsShown() const { return m_openShown; }
    int saveDialogsShown() const { return m_saveShown; }

    void message(const QString& text, const QString& caption, Dialogs::Icon icon) override;
    QString openFileName(const QString& filter) override;
    QString saveFileName(const QString& filter) override;
    bool printerSetup(QPrinter& printer) override;

private:
    struct PrinterAnswer {
        bool accept;
        QString pdfFile;
    };

    QList<Message> m_messages;
    QQueue<QString> m_openNames;
    QQueue<QString> m_saveNames;
    QQueue<PrinterAnswer> m_printerAnswers;
    int m_openShown = 0;
    int m_saveShown = 0;
};
