#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct SvgCount {
    bool wellFormed = false;
    QString root;
    int pieces = 0;
};

SvgCount readSvg(const QString& path)
{
    QFile file(path);
    SvgCount result;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (result.root.isEmpty())
            result.root = xml.name().toString();
        if (xml.name() == QStringLiteral("rect") &&
            xml.attributes().value(QStringLiteral("class")) == QStringLiteral("piece"))
            ++result.pieces;
    }
    result.wellFormed = !xml.hasError();
    return result;
}

} // namespace

class TestCliSvg : public QObject {
    Q_OBJECT

private slots:
    void drawsOneRectanglePerPiece_data()
    {
        const QString data = QStringLiteral(QUADRIX_TEST_DATA_DIR "/");
        const QString cliData = QStringLiteral(QUADRIX_CLI_TEST_DIR "/");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("wang square") << QStringList{"wang", data + "wang_square.BI", "--beta",
                                                    "0.01", "--decimal-separator",   "."};
        QTest::newRow("wang two types") << QStringList{
            "wang", cliData + "wang_two_types.BI", "--beta", "0,1", "--decimal-separator", ","};
        QTest::newRow("andor constrained") << QStringList{"andor", data + "example.BI"};
        QTest::newRow("andor unconstrained")
            << QStringList{"andor", data + "example.BI", "--unconstrained"};
        QTest::newRow("wang, pieces alone") << QStringList{
            "wang", data + "wang_square.BI", "--beta", "-1", "--decimal-separator", "."};
    }

    void drawsOneRectanglePerPiece()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir folder;
        const QString svg = folder.filePath(QStringLiteral("padrao.svg"));
        QProcess cli;
        cli.start(QStringLiteral(QUADRIX_CLI),
                  arguments << QStringLiteral("--json") << QStringLiteral("--svg") << svg);
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const SvgCount read = readSvg(svg);
        QVERIFY(read.wellFormed);
        QCOMPARE(read.root, QStringLiteral("svg"));
        // As many rectangles as the run counts pieces.
        int pieces = 0;
        const QJsonArray counts =
            QJsonDocument::fromJson(cli.readAllStandardOutput())[QStringLiteral("counts")]
                .toArray();
        for (const QJsonValue& count : counts)
            pieces += count.toInt();
        QVERIFY(pieces > 0);
        QCOMPARE(read.pieces, pieces);
    }

    void unwritableFileFails()
    {
        QProcess cli;
        cli.start(QStringLiteral(QUADRIX_CLI),
                  {"wang", QStringLiteral(QUADRIX_TEST_DATA_DIR "/wang_square.BI"), "--svg",
                   "/nonexistent/folder/padrao.svg"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 1);
        QVERIFY(cli.readAllStandardError().contains("padrao.svg"));
    }
};

QTEST_GUILESS_MAIN(TestCliSvg)
#include "test_cli_svg.moc"
