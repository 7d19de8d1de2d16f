#include "support/ui/GuiTestMain.h"

#include "pattern/ui/PatternWindow.h"
#include "shell/ui/ProgramWindows.h"
#include "support/ui/RunWindowDriver.h"

#include <QScreen>

namespace {

QScreen* screenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    qFatal("no screen %s", qPrintable(name));
}

// Where a window of this frame belongs: centred on the screen's free area, its top-left corner
// kept on the screen when it is larger.
QPoint centredPosition(QSize frame, const QScreen& screen)
{
    const QRect area = screen.availableGeometry();
    return {std::max(area.left(), area.left() + (area.width() - frame.width()) / 2),
            std::max(area.top(), area.top() + (area.height() - frame.height()) / 2)};
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

// Runs on three offscreen screens: a large one (primary, named first as the platform takes the
// first name as primary), a smaller one and one smaller than the run windows.
class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QCOMPARE(QGuiApplication::screens().size(), 3);
        m_windows = std::make_unique<ProgramWindows>();
    }

    void cleanup() { m_windows.reset(); }

    void mainWindowOpensCentredOnThePrimaryScreen()
    {
        TForm1& main = m_windows->form1;
        main.show();
        settle();
        QCOMPARE(main.screen(), QGuiApplication::primaryScreen());
        expectCentred(main, *QGuiApplication::primaryScreen());
    }

    void everyWindowOpensCentredOnTheMainWindowsScreen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("primary") << "1 Principal";
        QTest::newRow("second") << "2 Segunda";
        QTest::newRow("smaller than the run windows") << "3 Pequena";
    }

    void everyWindowOpensCentredOnTheMainWindowsScreen()
    {
        QFETCH(QString, screen);
        QScreen* target = screenNamed(screen);
        TForm1& main = m_windows->form1;
        main.show();
        settle();
        main.move(target->geometry().topLeft() + QPoint(20, 20));
        settle();
        QCOMPARE(main.screen(), target);
        for (QWidget* window : others()) {
            window->show();
            settle();
            expectCentred(*window, *target);
            window->hide();
        }
    }

    void aWindowShownAgainKeepsTheUsersPlace()
    {
        m_windows->form1.show();
        for (QWidget* window : others()) {
            window->show();
            settle();
            const QPoint chosen = window->pos() + QPoint(37, 23);
            window->move(chosen);
            window->hide();
            window->show();
            settle();
            QCOMPARE(window->pos(), chosen);
            window->hide();
        }
    }

    // The drawing opens over the run window that made it, on that window's screen.
    void patternWindowOpensCentredOnItsRunWindowsScreen()
    {
        ScriptedDialogs dialogs;
        TForm4& andOr = m_windows->form4;
        andOr.show();
        settle();
        QScreen* second = screenNamed(QStringLiteral("2 Segunda"));
        andOr.move(second->geometry().topLeft());
        settle();
        RunWindowDriver driver(andOr);
        driver.load(dialogs, QStringLiteral(QUADRIX_TEST_DATA_DIR "/example.BI"));
        driver.calculate();
        driver.trigger(QStringLiteral("VisualizarPadrao1"));
        auto* pattern = andOr.findChild<PatternWindow*>();
        QVERIFY(pattern);
        settle();
        expectCentred(*pattern, *second);
    }

private:
    QList<QWidget*> others() const
    {
        ProgramWindows& w = *m_windows;
        return {&w.form2, &w.form3, &w.form4, &w.form5, &w.aboutBox, &w.aboutBox1, &w.aboutBox2};
    }

    static void expectCentred(const QWidget& window, const QScreen& screen)
    {
        QCOMPARE(window.screen(), &screen);
        const QRect frame = window.frameGeometry();
        QVERIFY2(screen.availableGeometry().contains(frame.topLeft()),
                 qPrintable(window.objectName()));
        const QPoint expected = centredPosition(frame.size(), screen);
        // Before a window is first shown its frame is not known yet: allow for its width.
        const QMargins frameMargins(
            frame.left() - window.geometry().left(), frame.top() - window.geometry().top(),
            frame.right() - window.geometry().right(), frame.bottom() - window.geometry().bottom());
        const QPoint off = frame.topLeft() - expected;
        QVERIFY2(std::abs(off.x()) <= std::abs(frameMargins.left()) + 1 &&
                     std::abs(off.y()) <= std::abs(frameMargins.top()) + 1,
                 qPrintable(QStringLiteral("%1 at %2,%3, centred at %4,%5")
                                .arg(window.metaObject()->className())
                                .arg(frame.left())
                                .arg(frame.top())
                                .arg(expected.x())
                                .arg(expected.y())));
    }

    std::unique_ptr<ProgramWindows> m_windows;
};

QUADRIX_GUI_TEST_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
