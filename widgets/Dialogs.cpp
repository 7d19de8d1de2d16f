#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class QtDialogs final : public Dialogs::Backend {
public:
    void message(const QString& text, const QString& caption, Dialogs::Icon icon) override
    {
        QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok);
        box.exec();
    }

    QString openFileName(const QString& filter) override
    {
        return QFileDialog::getOpenFileName(nullptr, QString(), QString(), filter);
    }

    Dialogs::SaveChoice saveFile(const QString& filters) override
    {
        Dialogs::SaveChoice choice;
        // No overwrite question: a result file is replaced as the user named it.
        choice.name =
            QFileDialog::getSaveFileName(nullptr, QString(), QString(), filters, &choice.filter,
                                         QFileDialog::DontConfirmOverwrite);
        return choice;
    }

    bool printerSetup(QPrinter& printer) override
    {
        QPrintDialog dialog(&printer);
        return dialog.exec() == QDialog::Accepted;
    }
};

Dialogs::Backend* installedBackend = nullptr;

Dialogs::Backend& backend()
{
    static QtDialogs qtDialogs;
    return installedBackend ? *installedBackend : qtDialogs;
}

} // namespace

void Dialogs::message(const QString& text, const QString& caption, Icon icon)
{
    backend().message(text, caption, icon);
}

void Dialogs::error(const QString& text)
{
    message(text, QStringLiteral("Erro"), Icon::Error);
}

void Dialogs::exceptionReport(const QString& text)
{
    message(text, QApplication::applicationName(), Icon::Error);
}

QString Dialogs::openFileName(const QString& filter)
{
    return backend().openFileName(filter);
}

QString Dialogs::saveFileName(const QString& filter)
{
    return saveFile(filter).name;
}

Dialogs::SaveChoice Dialogs::saveFile(const QString& filters)
{
    return backend().saveFile(filters);
}

bool Dialogs::printerSetup(QPrinter& printer)
{
    return backend().printerSetup(printer);
}

void Dialogs::setBackend(Backend* backend)
{
    installedBackend = backend;
}
