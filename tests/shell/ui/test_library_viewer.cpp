#include "shell/ui/LibraryViewer.h"
#include "support/ui/GuiTestMain.h"
#include "support/ui/ScriptedDialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {

const QString openError = QStringLiteral("Não foi possível abrir o arquivo!");
const QString printError = QStringLiteral("Selecione uma biblioteca para ser impressa!");

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The title a PDF carries: a literal string of UTF-16 after a byte-order mark, in which
// backslash escapes the next byte.
QString pdfTitle(const QByteArray& pdf)
{
    const QByteArray opening = "/Title (";
    qsizetype pos = pdf.indexOf(opening);
    if (pos < 0)
        return {};
    QByteArray utf16;
    for (pos += opening.size(); pos < pdf.size() && pdf[pos] != ')'; ++pos) {
        if (pdf[pos] == '\\')
            ++pos;
        if (pos < pdf.size())
            utf16 += pdf[pos];
    }
    if (!utf16.startsWith("\xfe\xff"))
        return {};
    QStringDecoder decoder(QStringDecoder::Utf16BE);
    return decoder(utf16.mid(2));
}

} // namespace

class TestLibraryViewer : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(writeFile(m_dir->filePath("GSi.s"),
                          "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}Grafo {\\b Irrestrito}\\par "
                          "Pe\\'e7as\\par}"));
        QVERIFY(writeFile(m_dir->filePath("GSr.s"), "Restrito em UTF-8: pe\xc3\xa7"
                                                    "as\n"));
        QVERIFY(writeFile(m_dir->filePath("WS.s"), "Wang em Windows-1252: pe\xe7"
                                                   "as\n"));
        m_form = std::make_unique<TForm2>();
        m_form->setProgramDirectory(m_dir->path());
        m_form->show();
    }

    void cleanup()
    {
        m_form.reset();
        m_dialogs.reset();
    }

    void startsEmptyWithItsMenu()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Quadrix - Bibliotecas Computacionais"));
        QCOMPARE(m_form->size(), QSize(840, 655));
        QTextEdit* area = richEdit();
        QVERIFY(area->isReadOnly());
        QCOMPARE(area->size(), QSize(800, 553));
        QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(area->toPlainText().isEmpty());
        auto* show = m_form->findChild<QMenu*>(QStringLiteral("Exibir1"));
        QVERIFY(show);
        QStringList items;
        for (QAction* item : show->actions())
            items << item->objectName() + "=" + item->text();
        QCOMPARE(items, QStringList({"AbordagemGrafoEOUIrrestrito1=Abordagem Grafo E/OU Irrestrito",
                                     "AbordagemGrafoEOU1=Abordagem Grafo E/OU Restrito",
                                     "AlgoritmodeWang1=Algoritmo de Wang"}));
        QCOMPARE(action("Imprimir1")->text(), QStringLiteral("Imprimir"));
        QCOMPARE(action("Fechar1")->text(), QStringLiteral("Fechar"));
    }

    void eachItemShowsItsOwnFile_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("unconstrained, rich text")
            << "AbordagemGrafoEOUIrrestrito1" << QStringLiteral("Grafo Irrestrito\nPeças");
        QTest::newRow("constrained, UTF-8")
            << "AbordagemGrafoEOU1" << QStringLiteral("Restrito em UTF-8: peças\n");
        QTest::newRow("Wang, Windows-1252")
            << "AlgoritmodeWang1" << QStringLiteral("Wang em Windows-1252: peças\n");
    }

    void eachItemShowsItsOwnFile()
    {
        QFETCH(QString, item);
        QFETCH(QString, text);
        // Another text first: the item replaces it.
        const QString other =
            item == "AlgoritmodeWang1" ? "AbordagemGrafoEOU1" : "AlgoritmodeWang1";
        action(other)->trigger();
        action(item)->trigger();
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(richEdit()->toPlainText(), text);
    }

    void richTextKeepsItsFormatting()
    {
        action("AbordagemGrafoEOUIrrestrito1")->trigger();
        const QTextCursor bold = richEdit()->document()->find(QStringLiteral("Irrestrito"));
        QVERIFY(!bold.isNull());
        QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
        const QTextCursor plain = richEdit()->document()->find(QStringLiteral("Grafo"));
        QCOMPARE(plain.charFormat().fontWeight(), int(QFont::Normal));
    }

    void missingFileKeepsTheTextButRefusesPrinting()
    {
        action("AbordagemGrafoEOU1")->trigger();
        QVERIFY(QFile::remove(m_dir->filePath("WS.s")));
        action("AlgoritmodeWang1")->trigger();
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(m_dialogs->messages().first().text, openError);
        QCOMPARE(m_dialogs->messages().first().caption, QStringLiteral("Erro"));
        QCOMPARE(m_dialogs->messages().first().icon, Dialogs::Icon::Error);
        QCOMPARE(richEdit()->toPlainText(), QStringLiteral("Restrito em UTF-8: peças\n"));

        const QString pdf = m_dir->filePath("nada.pdf");
        m_dialogs->queuePrinterSetup(true, pdf);
        action("Imprimir1")->trigger();
        QCOMPARE(m_dialogs->messageTexts(), QStringList({openError, printError}));
        QVERIFY(!QFile::exists(pdf));
    }

    void textsMissingBesideTheProgramComeFromTheInstalledDataFolder()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/quadrix")));
        QVERIFY(writeFile(prefix.filePath("share/quadrix/WS.s"), "Wang instalado\n"));
        m_form->setProgramDirectory(prefix.filePath("bin"));
        action("AlgoritmodeWang1")->trigger();
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(richEdit()->toPlainText(), QStringLiteral("Wang instalado\n"));
        // Found in neither folder: the usual error, the text stays.
        action("AbordagemGrafoEOU1")->trigger();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{openError});
        QCOMPARE(richEdit()->toPlainText(), QStringLiteral("Wang instalado\n"));
    }

    void printsTheWholeTextTitledWithIt()
    {
        action("AbordagemGrafoEOUIrrestrito1")->trigger();
        const QString pdf = m_dir->filePath("impresso.pdf");
        m_dialogs->queuePrinterSetup(true, pdf);
        action("Imprimir1")->trigger();
        QVERIFY(m_dialogs->messages().isEmpty());
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.contains("/Type /Page"));
        QCOMPARE(pdfTitle(bytes), richEdit()->toPlainText());
    }

    void fecharEmptiesTheAreaAndPrintingRefuses()
    {
        action("AbordagemGrafoEOUIrrestrito1")->trigger();
        action("Fechar1")->trigger();
        QVERIFY(!m_form->isVisible());
        m_form->show();
        QVERIFY(richEdit()->toPlainText().isEmpty());
        action("Imprimir1")->trigger();
        QCOMPARE(m_dialogs->messageTexts(), QStringList{printError});
    }

    void shippedTextsRenderCleanly_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("GSi.s") << "AbordagemGrafoEOUIrrestrito1"
                               << QStringList{"Problema Irrestrito", "Profundidade", "Lambda 2",
                                              "Área ótima = 74", "H − x"};
        QTest::newRow("GSr.s") << "AbordagemGrafoEOU1"
                               << QStringList{"Problema Restrito", "demanda restante",
                                              "Área ótima = 32", "Simetria"};
        QTest::newRow("WS.s") << "AlgoritmodeWang1"
                              << QStringList{"Wang (1983)", "Beta", "Melhor padrão: Peça 6",
                                             "6   -   10   -   10   -   100"};
    }

    void shippedTextsRenderCleanly()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, phrases);
        m_form->setProgramDirectory(QStringLiteral(QUADRIX_LIBRARY_TEXTS_DIR));
        action(item)->trigger();
        QVERIFY(m_dialogs->messages().isEmpty());
        const QString text = richEdit()->toPlainText();
        for (const QString& phrase : phrases)
            QVERIFY2(text.contains(phrase), qPrintable(phrase));
        // No markup leaks into what the reader sees.
        for (const char* markup : {"\\", "{", "}", "Arial", "Courier"})
            QVERIFY2(!text.contains(markup), qPrintable(markup));
        QVERIFY(text.contains(QStringLiteral("Christofides e Whitlock (1977)")));
    }

    // The examples of BI files in the texts are set in a fixed-pitch font: their columns line up.
    void examplesInTheTextsKeepTheirColumns_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("prose");
        QTest::newRow("GSi.s") << "AbordagemGrafoEOUIrrestrito1"
                               << " 6      3     2     2"
                               << "Problema Irrestrito";
        QTest::newRow("GSr.s") << "AbordagemGrafoEOU1"
                               << " 20      4     5     1"
                               << "Problema Restrito";
        QTest::newRow("WS.s") << "AlgoritmodeWang1"
                              << "Exemplo de Wang"
                              << "Wang (1983)";
    }

    void examplesInTheTextsKeepTheirColumns()
    {
        QFETCH(QString, item);
        QFETCH(QString, example);
        QFETCH(QString, prose);
        m_form->setProgramDirectory(QStringLiteral(QUADRIX_LIBRARY_TEXTS_DIR));
        action(item)->trigger();
        const auto fontAt = [this](const QString& text) {
            const QTextCursor found = richEdit()->document()->find(text);
            if (found.isNull())
                qFatal("no text %s", qPrintable(text));
            return QFontInfo(found.charFormat().font());
        };
        QVERIFY(fontAt(example).fixedPitch());
        QVERIFY(!fontAt(prose).fixedPitch());
    }

private:
    QTextEdit* richEdit() const
    {
        return m_form->findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    }

    QAction* action(const QString& name) const
    {
        QAction* found = m_form->findChild<QAction*>(name);
        if (!found)
            qFatal("missing action %s", qPrintable(name));
        return found;
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TForm2> m_form;
};

QUADRIX_GUI_TEST_MAIN(TestLibraryViewer)
#include "test_library_viewer.moc"
