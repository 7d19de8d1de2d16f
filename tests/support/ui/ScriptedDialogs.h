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
    // The save dialog answers the name with the filter at filterIndex of those it offers
    // selected (the first, as a dialog starts with it, unless the user picks another).
    void queueSaveFileName(const QString& name, int filterIndex = 0)
    {
        m_saveAnswers.enqueue({name, filterIndex});
    }
    // When accepted, the printer is pointed at this PDF file.
    void queuePrinterSetup(bool accept, const QString& pdfFile = QString());

    const QList<Message>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    void clearMessages() { m_messages.clear(); }
    int openDialogsShown() const { return m_openShown; }
    int saveDialogsShown() const { return m_saveShown; }

    void message(const QString& text, const QString& caption, Dialogs::Icon icon) override;
    QString openFileName(const QString& filter) override;
    Dialogs::SaveChoice saveFile(const QString& filters) override;
    bool printerSetup(QPrinter& printer) override;

private:
    struct PrinterAnswer {
        bool accept;
        QString pdfFile;
    };

    QList<Message> m_messages;
    QQueue<QString> m_openNames;
    struct SaveAnswer {
        QString name;
        int filterIndex;
    };

    QQueue<SaveAnswer> m_saveAnswers;
    QQueue<PrinterAnswer> m_printerAnswers;
    int m_openShown = 0;
    int m_saveShown = 0;
};
