#pragma once

#include <QString>

class QPrinter;

// The one seam through which windows show message boxes and standard dialogs,
// so tests can answer them and read what was shown.
class Dialogs {
public:
    enum class Icon { None, Information, Error };

    // What the save dialog answered: the name typed or chosen, and the filter then selected.
    struct SaveChoice {
        QString name;
        QString filter;
    };

    // What actually shows the dialogs: the real Qt dialogs unless a test installs another.
    class Backend {
    public:
        virtual ~Backend() = default;
        virtual void message(const QString& text, const QString& caption, Icon icon) = 0;
        virtual QString openFileName(const QString& filter) = 0;
        // filters: one or more, separated by ";;"; the first is selected at the start.
        virtual SaveChoice saveFile(const QString& filters) = 0;
        virtual bool printerSetup(QPrinter& printer) = 0;
    };

    // Modal message box without owner window, with an OK button.
    static void message(const QString& text, const QString& caption, Icon icon);
    // The modal "Erro" box with the error icon that every correctable mistake gets.
    static void error(const QString& text);
    // The report of a failure that no handler catches.
    static void exceptionReport(const QString& text);
    // The chosen file name, or an empty string when the user cancels.
    static QString openFileName(const QString& filter);
    static QString saveFileName(const QString& filter);
    // The name, empty when the user cancels, and the filter selected when the dialog closed.
    static SaveChoice saveFile(const QString& filters);
    // False when the user cancels.
    static bool printerSetup(QPrinter& printer);

    // Installs a backend (not owned); nullptr restores the real dialogs.
    static void setBackend(Backend* backend);
};
