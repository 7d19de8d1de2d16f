#include "shell/ui/QuadrixApplication.h"
#include "support/ui/ScriptedDialogs.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

namespace {

// An object whose handler fails the way a handler bug would.
class FailingHandler : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        if (handled == 1)
            throw std::runtime_error("falha no tratador");
        throw 42;
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    // Qt's own texts speak the program's language: standard buttons, file and print dialogs.
    void standardTextsArePortuguese_data()
    {
        QTest::addColumn<QDialogButtonBox::StandardButton>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("cancel") << QDialogButtonBox::Cancel << "Cancelar";
        QTest::newRow("save") << QDialogButtonBox::Save << "Salvar";
        QTest::newRow("open") << QDialogButtonBox::Open << "Abrir";
    }

    void standardTextsArePortuguese()
    {
        QFETCH(QDialogButtonBox::StandardButton, button);
        QFETCH(QString, text);
        QDialogButtonBox box(button);
        QCOMPARE(box.button(button)->text().remove(QLatin1Char('&')), text);
    }

    void escapedExceptionIsReportedAndTheLoopGoesOn()
    {
        ScriptedDialogs dialogs;
        FailingHandler handler;
        QEvent first(QEvent::User);
        QCoreApplication::sendEvent(&handler, &first);
        QEvent second(QEvent::User);
        QCoreApplication::sendEvent(&handler, &second);
        QCOMPARE(handler.handled, 2);
        QCOMPARE(dialogs.messageTexts(), (QStringList{"falha no tratador", QString()}));
        QCOMPARE(dialogs.messages().front().icon, Dialogs::Icon::Error);
        bool ranLater = false;
        QTimer::singleShot(0, this, [&] { ranLater = true; });
        QTRY_VERIFY(ranLater);
    }
};

int main(int argc, char** argv)
{
    QuadrixApplication app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_application.moc"
