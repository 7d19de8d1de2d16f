#include "support/ui/GuiTestMain.h"
#include "widgets/ReportView.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QtTest>

namespace {

// The middle of a line in sight, in viewport coordinates, below the view's top margin.
QPoint middleOfLine(const ReportView& view, int line)
{
    const int height = view.fontMetrics().lineSpacing();
    return {10, 4 + line * height + height / 2};
}

QStringList numbered(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("linha %1").arg(i);
    return lines;
}

} // namespace

class TestReportView : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_view = std::make_unique<ReportView>();
        m_view->resize(300, 200);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    }

    void cleanup() { m_view.reset(); }

    void copiesTheSelectedLinesWhole_data()
    {
        QTest::addColumn<QList<int>>("clicks"); // a negative line: shift-click on -line - 1
        QTest::addColumn<QString>("copied");
        QTest::newRow("one line") << QList<int>{2} << "c";
        QTest::newRow("shift-click extends down") << QList<int>{1, -4} << "b\nc\nd";
        QTest::newRow("shift-click extends up") << QList<int>{3, -1} << "a\nb\nc\nd";
        QTest::newRow("a new click starts again") << QList<int>{0, -3, 4} << "e";
        QTest::newRow("below the last line picks it") << QList<int>{7} << "e";
    }

    void copiesTheSelectedLinesWhole()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, copied);
        m_view->setLines({"a", "b", "c", "d", "e"});
        for (const int click : clicks) {
            const bool shift = click < 0;
            QTest::mouseClick(m_view->viewport(), Qt::LeftButton,
                              shift ? Qt::ShiftModifier : Qt::NoModifier,
                              middleOfLine(*m_view, shift ? -click - 1 : click));
        }
        QTest::keySequence(m_view.get(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void dragsAndSelectsAll()
    {
        m_view->setLines({"a", "b", "c", "d"});
        QWidget* viewport = m_view->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, middleOfLine(*m_view, 2));
        QMouseEvent move(QEvent::MouseMove, middleOfLine(*m_view, 0),
                         viewport->mapToGlobal(middleOfLine(*m_view, 0)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::keySequence(m_view.get(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\nb\nc"));

        QTest::keySequence(m_view.get(), QKeySequence::SelectAll);
        QTest::keySequence(m_view.get(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\nb\nc\nd"));
    }

    void newLinesDropTheSelection()
    {
        m_view->setLines({"a", "b"});
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          middleOfLine(*m_view, 1));
        m_view->setLines({"x"});
        QTest::keySequence(m_view.get(), QKeySequence::Copy);
        m_view->clearLines();
        QTest::keySequence(m_view.get(), QKeySequence::SelectAll);
        QTest::keySequence(m_view.get(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("antes"));
        QVERIFY(m_view->lines().isEmpty());
    }

    // A report far longer than the view scrolls by line to its end; the horizontal bar spans
    // the widest line once it came into sight.
    void scrollsALongReportToItsEnd()
    {
        QStringList lines = numbered(200000);
        lines[150000] = QString(200, QLatin1Char('m'));
        m_view->setLines(lines);
        QCOMPARE(m_view->lines().size(), 200000);
        QScrollBar* vertical = m_view->verticalScrollBar();
        const int inSight = vertical->pageStep();
        QVERIFY(inSight > 1);
        QCOMPARE(vertical->maximum(), 200000 - inSight);
        QCOMPARE(m_view->horizontalScrollBar()->maximum(), 0);

        QTest::keySequence(m_view.get(), QKeySequence::MoveToEndOfDocument);
        QCOMPARE(vertical->value(), vertical->maximum());
        QTest::keySequence(m_view.get(), QKeySequence::MoveToStartOfDocument);
        QCOMPARE(vertical->value(), 0);
        vertical->setValue(150000);
        m_view->viewport()->repaint();
        QVERIFY(m_view->horizontalScrollBar()->maximum() > 0);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          middleOfLine(*m_view, 1));
        QTest::keySequence(m_view.get(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("linha 150001"));
    }

private:
    std::unique_ptr<ReportView> m_view;
};

QUADRIX_GUI_TEST_MAIN(TestReportView)
#include "test_report_view.moc"
