#include "andor/ui/AndOrWindow.h"
#include "pattern/ui/PatternPainter.h"
#include "pattern/ui/PatternView.h"
#include "pattern/ui/PatternWindow.h"
#include "support/FileSizeLimit.h"
#include "support/ui/GuiTestMain.h"
#include "support/ui/RunWindowDriver.h"
#include "wang/ui/WangWindow.h"

#include <QMenu>
#include <QTemporaryDir>

namespace {

enum class Method { AndOr, Wang };

QString localDecimal(const char* digits)
{
    return QStringLiteral("0") + QLocale::system().decimalPoint() + QLatin1String(digits);
}

std::unique_ptr<RunWindow> makeWindow(Method method)
{
    if (method == Method::AndOr)
        return std::make_unique<TForm4>();
    return std::make_unique<TForm5>();
}

// Loads each method's small example and sets the parameters a run needs.
void loadExample(Method method, RunWindowDriver& driver, ScriptedDialogs& dialogs)
{
    if (method == Method::AndOr) {
        driver.load(dialogs, QStringLiteral(QUADRIX_TEST_DATA_DIR "/example.BI"));
        driver.setText(QStringLiteral("Edit4"), QStringLiteral("3"));
        return;
    }
    driver.load(dialogs, QStringLiteral(QUADRIX_TEST_DATA_DIR "/wang_square.BI"));
    driver.setText(QStringLiteral("Edit4"), localDecimal("01"));
}

// How many pixels of the area have each colour.
int pixelsOf(const QImage& image, QRect area, const pattern::SceneColour& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == QColor(colour.red, colour.green, colour.blue);
    return count;
}

QColor toQColor(const pattern::SceneColour& c)
{
    return QColor(c.red, c.green, c.blue);
}

} // namespace

Q_DECLARE_METATYPE(Method)

class TestPatternWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dialogs = std::make_unique<ScriptedDialogs>(); }
    void cleanup()
    {
        m_window.reset();
        m_dialogs.reset();
    }

    void bothMethods_data()
    {
        QTest::addColumn<Method>("method");
        QTest::newRow("AND/OR") << Method::AndOr;
        QTest::newRow("Wang") << Method::Wang;
    }

    void menuItemFollowsResultPresent_data() { bothMethods_data(); }
    void menuItemFollowsResultPresent()
    {
        QFETCH(Method, method);
        const auto window = makeWindow(method);
        RunWindowDriver driver(*window);
        auto* item = driver.control<QAction>(QStringLiteral("VisualizarPadrao1"));
        const QList<QAction*> items = driver.control<QMenu>(QStringLiteral("Arquivo1"))->actions();
        const auto save =
            items.indexOf(driver.control<QAction>(QStringLiteral("SalvarResultado1")));
        QCOMPARE(items.indexOf(item), save + 1);
        QCOMPARE(item->text(), QStringLiteral("Visualizar Padrão"));
        QVERIFY(!item->isEnabled());

        loadExample(method, driver, *m_dialogs);
        QVERIFY(!item->isEnabled());
        // A run refused before it starts leaves the item as it was: disabled here...
        driver.setText(QStringLiteral("Edit4"), QStringLiteral("abc"));
        driver.calculate();
        QVERIFY(!item->isEnabled());
        loadExample(method, driver, *m_dialogs);
        driver.calculate();
        QVERIFY(window->resultPresent());
        QVERIFY(item->isEnabled());
        // ...and enabled after a result.
        driver.setText(QStringLiteral("Edit4"), QStringLiteral("abc"));
        driver.calculate();
        QVERIFY(item->isEnabled());
        loadExample(method, driver, *m_dialogs);
        QVERIFY(!item->isEnabled());
    }

    void patternWindowShowsTheBestPattern_data() { bothMethods_data(); }
    void patternWindowShowsTheBestPattern()
    {
        QFETCH(Method, method);
        const auto window = makeWindow(method);
        RunWindowDriver driver(*window);
        loadExample(method, driver, *m_dialogs);
        driver.calculate();
        driver.trigger(QStringLiteral("VisualizarPadrao1"));
        auto* shown = window->findChild<PatternWindow*>();
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Quadrix - Padrão de Corte"));
        QVERIFY(shown->isVisible());
        const auto* view = shown->findChild<PatternView*>();
        QVERIFY(view);
        QCOMPARE(pattern::findPatternFault(view->pattern(), window->instance()), std::nullopt);
        for (int type = 0; type < window->instance().pieceCount; ++type) {
            const auto drawn =
                std::count_if(view->pattern().pieces.begin(), view->pattern().pieces.end(),
                              [type](const pattern::PlacedPiece& p) { return p.type == type; });
            QCOMPARE(QString::number(drawn), driver.countCell(1, type + 1));
        }
        QVERIFY(!view->runLines().empty());
        QCOMPARE(QString::fromStdString(view->runLines().back()), driver.memo("Memo2").at(2));

        driver.trigger(QStringLiteral("VisualizarPadrao1"));
        QCOMPARE(window->findChildren<PatternWindow*>().size(), 1);
        loadExample(method, driver, *m_dialogs);
        QVERIFY(!shown->isVisible());
    }

    void imageShowsPieceColourAndHatchedWaste()
    {
        problem::TInstance instance;
        instance.plateHeight = 10;
        instance.plateLength = 20;
        instance.pieceCount = 1;
        instance.pieces[0] = {1, 10, 10, 1, 100};
        const pattern::CuttingPattern pattern{10, 20, {{0, 0, 0, 10, 10}}, {{0, 10, 10, 10, 1}}};
        for (const QSize size : {QSize(600, 400), QSize(1000, 300)}) {
            const QImage image = renderPatternImage(pattern, instance, {}, size);
            const pattern::PatternScene scene =
                pattern::buildPatternScene(pattern, instance, {}, size.width(), size.height());
            const pattern::SceneRect& piece = scene.pieces.at(0).rect;
            const QPoint inPiece(static_cast<int>(piece.x + piece.width / 4),
                                 static_cast<int>(piece.y + piece.height / 4));
            QCOMPARE(image.pixelColor(inPiece), toQColor(pattern::typeColour(0)));
            // The plate's right half is waste: grey with hatch lines, never bare white.
            const pattern::SceneRect& plate = scene.plate;
            const QRect waste(static_cast<int>(plate.x + plate.width * 0.7),
                              static_cast<int>(plate.y + plate.height * 0.2), 20, 20);
            const int grey = pixelsOf(image, waste, pattern::wasteColour);
            const int lines = pixelsOf(image, waste, pattern::hatchColour);
            QVERIFY(grey > 100);
            QVERIFY(lines > 10);
            QCOMPARE(grey + lines, waste.width() * waste.height());
        }
    }

    void exportChoosesTheFormatByName_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("filter"); // 0: PNG, 1: SVG
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("svg");
        QTest::newRow("svg") << "padrao.svg" << 0 << "padrao.svg" << true;
        QTest::newRow("SVG upper case") << "padrao.SVG" << 0 << "padrao.SVG" << true;
        QTest::newRow("png") << "padrao.png" << 0 << "padrao.png" << false;
        QTest::newRow("png typed, SVG filter") << "padrao.png" << 1 << "padrao.png" << false;
        QTest::newRow("no suffix, PNG filter") << "padrao" << 0 << "padrao.png" << false;
        QTest::newRow("no suffix, SVG filter") << "padrao" << 1 << "padrao.svg" << true;
        QTest::newRow("other suffix, SVG filter") << "padrao.v2" << 1 << "padrao.v2.svg" << true;
    }

    void exportChoosesTheFormatByName()
    {
        QFETCH(QString, chosen);
        QFETCH(int, filter);
        QFETCH(QString, written);
        QFETCH(bool, svg);
        PatternWindow* shown = openedAfterWangRun();
        QTemporaryDir folder;
        m_dialogs->queueSaveFileName(folder.filePath(chosen), filter);
        RunWindowDriver(*m_window).control<QAction>(QStringLiteral("ExportarImagem1"))->trigger();
        const QByteArray bytes = fileBytes(folder.filePath(written));
        QVERIFY(!bytes.isEmpty());
        if (svg) {
            QVERIFY(bytes.startsWith("<?xml"));
            QCOMPARE(bytes.count("<rect class=\"piece\""), 4);
        } else {
            const QImage image = QImage::fromData(bytes, "PNG");
            QVERIFY(image.width() >= 960 && image.height() >= 640);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
        QVERIFY(shown->isVisible());
    }

    void exportThatFailsPartWayKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("svg") << "padrao.svg";
        QTest::newRow("png") << "padrao.png";
    }

    void exportThatFailsPartWayKeepsTheOldFile()
    {
        QFETCH(QString, name);
        openedAfterWangRun();
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        const QByteArray oldBytes(200000, 'o');
        old.write(oldBytes);
        old.close();
        m_dialogs->clearMessages();
        m_dialogs->queueSaveFileName(path);
        {
            const FileSizeLimit limit(512);
            RunWindowDriver(*m_window)
                .control<QAction>(QStringLiteral("ExportarImagem1"))
                ->trigger();
        }
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->messages().front().text.contains(name));
        QVERIFY(fileBytes(path) == oldBytes);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    }

    void printPaintsOnThePrinterSetUp()
    {
        openedAfterWangRun();
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("padrao.pdf"));
        auto* print = RunWindowDriver(*m_window).control<QAction>(QStringLiteral("Imprimir1"));
        m_dialogs->queuePrinterSetup(false);
        print->trigger();
        QVERIFY(!QFile::exists(pdf));
        m_dialogs->queuePrinterSetup(true, pdf);
        print->trigger();
        QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    }

private:
    PatternWindow* openedAfterWangRun()
    {
        m_window = makeWindow(Method::Wang);
        RunWindowDriver driver(*m_window);
        loadExample(Method::Wang, driver, *m_dialogs);
        driver.calculate();
        driver.trigger(QStringLiteral("VisualizarPadrao1"));
        return m_window->findChild<PatternWindow*>();
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<RunWindow> m_window;
};

QUADRIX_GUI_TEST_MAIN(TestPatternWindow)
#include "test_pattern_window.moc"
