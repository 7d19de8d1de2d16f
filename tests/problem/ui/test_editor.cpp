#include "problem/BiFile.h"
#include "problem/ui/InputFileEditor.h"
#include "support/FileSizeLimit.h"
#include "support/ui/GuiTestMain.h"
#include "support/ui/ScriptedDialogs.h"
#include "widgets/ReportView.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct PieceTexts {
    QString value, height, length, demand;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_form = std::make_unique<TForm3>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_form->show();
    }

    void cleanup()
    {
        m_form.reset();
        m_dialogs.reset();
    }

    void startsInItsInitialState()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Quadrix - Arquivos de Entrada"));
        QCOMPARE(m_form->size(), QSize(558, 518));
        const QStringList captions = {"Descrição", "Altura", "Comprimento", "Quantidade de peças"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(child<QLabel>(QStringLiteral("Label%1").arg(i + 1))->text(), captions[i]);
            QVERIFY(edit(i + 1)->text().isEmpty());
        }
        QVERIFY(child<QLabel>("Label5")->text().isEmpty());
        QCOMPARE(button("Button1")->text(), QStringLiteral("OK"));
        QCOMPARE(button("Button3")->text(), QStringLiteral("Atualizar"));
        QCOMPARE(button("Button2")->text(), QStringLiteral("Salvar"));
        expectState(true, false, true, false, false, false);
        QCOMPARE(grid()->size(), QSize(347, 401));
        QCOMPARE(grid()->columnCount(), 5);
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(grid()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!child<ReportView>("Memo1")->isVisible());
        QVERIFY(child<QWidget>("StatusBar1"));
        for (const char* name : {"Novo1", "Abrir1", "Fechar1"})
            QVERIFY(action(name)->isEnabled());
    }

    void creationPathWritesTheExactFile()
    {
        action("Novo1")->trigger();
        expectState(false, false, true, true, false, false);
        // A leading blank is accepted by the integer conversion.
        typeHeader("Teste", " 100", "200", "2");
        clickButton("Button1");
        expectState(true, true, false, false, true, true);
        QCOMPARE(grid()->rowCount(), 3);
        clickButton("Button3");
        expectState(false, true, true, true, false, false);
        typeRow(1, {"30", "10", "20", "2"});
        typeRow(2, {"50", "25", "15", "1"});
        clickButton("Button1");
        expectState(true, true, false, false, true, true);
        const QString name = m_dir->filePath("teste");
        m_dialogs->queueSaveFileName(name);
        clickButton("Button2");
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(fileBytes(name + ".BI"), QByteArray("1\r\n\r\nTeste\r\n100   200\r\n2\r\n"
                                                     " 30      10     20     2\r\n"
                                                     " 50      25     15     1\r\n"));
        // A successful save changes no state.
        expectState(true, true, false, false, true, true);
    }

    void okKeepsOrEmptiesCells_data()
    {
        QTest::addColumn<bool>("afterNovo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("after Novo") << true << QString();
        QTest::newRow("after Atualizar") << false << QStringLiteral("7");
    }

    void okKeepsOrEmptiesCells()
    {
        QFETCH(bool, afterNovo);
        QFETCH(QString, expected);
        confirmHeader("A", "10", "10", "2");
        clickButton("Button3");
        typeRow(1, {"7", "7", "7", "7"});
        typeRow(2, {"7", "7", "7", "7"});
        if (afterNovo) {
            action("Novo1")->trigger();
            typeHeader("B", "10", "10", "2");
        }
        clickButton("Button1");
        for (int row = 1; row <= 2; ++row) {
            for (int column = 1; column <= 4; ++column)
                QCOMPARE(grid()->cell(column, row), expected);
        }
        QCOMPARE(grid()->cell(0, 2), QStringLiteral("2"));
    }

    void okRefusesFieldsWithTheirMessage_data()
    {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        const QString heightMessage = QStringLiteral("Digite um valor inteiro para a Altura!");
        QTest::newRow("height abc") << "abc"
                                    << "x"
                                    << "y" << heightMessage;
        QTest::newRow("trailing blank") << "12 "
                                        << "5"
                                        << "1" << heightMessage;
        QTest::newRow("empty height") << ""
                                      << "5"
                                      << "1" << heightMessage;
        QTest::newRow("length") << "12"
                                << "3,5"
                                << "1"
                                << QStringLiteral("Digite um valor inteiro para o Comprimento!");
        QTest::newRow("count") << "12"
                               << "5"
                               << "dois"
                               << QStringLiteral(
                                      "Digite um valor inteiro para a Quantidade de Peças!");
        QTest::newRow("count above capacity")
            << "12"
            << "5"
            << "101" << QStringLiteral("A Quantidade de Peças deve ser no máximo 100!");
    }

    void okRefusesFieldsWithTheirMessage()
    {
        QFETCH(QString, height);
        QFETCH(QString, length);
        QFETCH(QString, count);
        QFETCH(QString, message);
        action("Novo1")->trigger();
        typeHeader("T", height, length, count);
        clickButton("Button1");
        QCOMPARE(m_dialogs->messages().size(), 1);
        const ScriptedDialogs::Message shown = m_dialogs->messages().first();
        QCOMPARE(shown.text, message);
        QCOMPARE(shown.caption, QStringLiteral("Erro"));
        QCOMPARE(shown.icon, Dialogs::Icon::Error);
        // A rejected "OK" changes no state.
        expectState(false, false, true, true, false, false);
    }

    void gridWidthFollowsTheCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("scrollBar");
        QTest::newRow("14") << 14 << 329 << false;
        QTest::newRow("15") << 15 << 347 << true;
        QTest::newRow("100") << 100 << 347 << true;
    }

    void gridWidthFollowsTheCount()
    {
        QFETCH(int, count);
        QFETCH(int, width);
        QFETCH(bool, scrollBar);
        confirmHeader("T", "10", "10", QString::number(count));
        QCOMPARE(grid()->width(), width);
        QCOMPARE(grid()->verticalScrollBarPolicy(),
                 scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        QCOMPARE(grid()->rowCount(), count + 1);
        const QStringList headings = {"Peça nº", "Valor", "Altura", "Comprimento", "Demanda"};
        for (int column = 0; column < 5; ++column)
            QCOMPARE(grid()->cell(column, 0), headings[column]);
        QCOMPARE(grid()->cell(0, count), QString::number(count));
    }

    void valorCellRules_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("length");
        // Empty when the row is refused.
        QTest::addColumn<QByteArray>("pieceLine");
        QTest::newRow("empty is area") << ""
                                       << "3"
                                       << "4" << QByteArray(" 12      3     4     1\r\n");
        QTest::newRow("area wraps")
            << ""
            << "65536"
            << "65537" << QByteArray(" 65536      65536     65537     1\r\n");
        QTest::newRow("single blank refused") << " "
                                              << "3"
                                              << "4" << QByteArray();
        QTest::newRow("empty with bad height") << ""
                                               << "3a"
                                               << "4" << QByteArray();
        QTest::newRow("number kept") << "-8"
                                     << "3"
                                     << "4" << QByteArray(" -8      3     4     1\r\n");
    }

    void valorCellRules()
    {
        QFETCH(QString, value);
        QFETCH(QString, height);
        QFETCH(QString, length);
        QFETCH(QByteArray, pieceLine);
        prepareSavable("T", "10", "10", {{value, height, length, "1"}});
        const QString name = m_dir->filePath("valor");
        m_dialogs->queueSaveFileName(name);
        clickButton("Button2");
        if (pieceLine.isEmpty()) {
            QCOMPARE(m_dialogs->messageTexts(),
                     QStringList{QStringLiteral("Digite valores inteiros para as Peças!")});
            QCOMPARE(m_dialogs->saveDialogsShown(), 0);
            QVERIFY(!QFile::exists(name + ".BI"));
            return;
        }
        QVERIFY(m_dialogs->messages().isEmpty());
        QVERIFY(fileBytes(name + ".BI").endsWith(pieceLine));
    }

    void saveAlwaysAppendsTheExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("files");
        // teste.BI exists already: it is replaced without a question, or kept beside the new one.
        QTest::newRow("plain name") << "teste"
                                    << "teste.BI" << 1;
        QTest::newRow("existing BI file") << "teste.BI"
                                          << "teste.BI.BI" << 2;
    }

    void saveAlwaysAppendsTheExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(int, files);
        QFile existing(m_dir->filePath("teste.BI"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("old");
        existing.close();
        prepareSavable("T", "10", "10", {{"1", "2", "3", "4"}});
        m_dialogs->queueSaveFileName(m_dir->filePath(chosen));
        clickButton("Button2");
        QVERIFY(fileBytes(m_dir->filePath(written)).startsWith("1\r\n\r\nT\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), files);
    }

    void saveWithoutPiecesDoesNothing_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negative") << "-3" << 1;
    }

    void saveWithoutPiecesDoesNothing()
    {
        QFETCH(QString, count);
        QFETCH(int, rows);
        confirmHeader("T", "10", "10", count);
        QCOMPARE(grid()->rowCount(), rows);
        m_dialogs->queueSaveFileName(m_dir->filePath("nada"));
        clickButton("Button2");
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(m_dialogs->saveDialogsShown(), 0);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void unwritableFileIsReported()
    {
        prepareSavable("T", "10", "10", {{"1", "2", "3", "4"}});
        const QString name = m_dir->filePath("missing-folder/teste");
        m_dialogs->queueSaveFileName(name);
        clickButton("Button2");
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->messages().first().text.contains("missing-folder"));
        QCOMPARE(m_dialogs->messages().first().icon, Dialogs::Icon::Error);
        expectState(true, true, false, false, true, true);
    }

    void descriptionsThatWouldNotReadBackAreRefused_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        QTest::newRow("leading blank")
            << " Teste"
            << QStringLiteral("A Descrição deve começar com uma letra ou um algarismo!");
        QTest::newRow("outside the code page")
            << QStringLiteral("Placa ∞")
            << QStringLiteral("A Descrição contém caracteres que não podem ser gravados!");
        // Only a program can set such a text; the user's paste of it is refused (below).
        QTest::newRow("too long") << QString(98, QLatin1Char('a'))
                                  << QStringLiteral(
                                         "A Descrição deve ter no máximo 97 caracteres!");
    }

    void descriptionsThatWouldNotReadBackAreRefused()
    {
        QFETCH(QString, description);
        QFETCH(QString, message);
        prepareSavable(description, "10", "10", {{"1", "2", "3", "4"}});
        m_dialogs->queueSaveFileName(m_dir->filePath("x"));
        clickButton("Button2");
        QCOMPARE(m_dialogs->messageTexts(), QStringList{message});
        QCOMPARE(m_dialogs->saveDialogsShown(), 0);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void descriptionCountFollowsTheText_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("count");
        QTest::newRow("empty") << 0 << "Descrição: 97 caracteres no máximo";
        QTest::newRow("some") << 12 << "Descrição: restam 85 de 97 caracteres";
        QTest::newRow("one left") << 96 << "Descrição: resta 1 de 97 caracteres";
        QTest::newRow("full") << 97 << "Descrição: restam 0 de 97 caracteres";
        QTest::newRow("over, as set by a program")
            << 99 << "Descrição: 2 caracteres além do máximo de 97";
    }

    void descriptionCountFollowsTheText()
    {
        QFETCH(int, length);
        QFETCH(QString, count);
        edit(1)->setText(QString(length, QLatin1Char('d')));
        auto* shown = child<QLabel>("DescriptionCount");
        QCOMPARE(shown->text(), count);
        QVERIFY(shown->isVisible());
    }

    // Typing stops at the limit, the count saying so; nothing already typed is lost.
    void typingStopsAtTheLimit()
    {
        action("Novo1")->trigger();
        const QString full = QString(96, QLatin1Char('x'));
        edit(1)->setText(full);
        QTest::keyClicks(edit(1), QStringLiteral("yz"));
        QCOMPARE(edit(1)->text(), full + QLatin1Char('y'));
        QCOMPARE(child<QLabel>("DescriptionCount")->text(),
                 QStringLiteral("Descrição: restam 0 de 97 caracteres"));
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    void pasteBeyondTheLimitIsRefusedWithAMessage_data()
    {
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("pasted");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("fits exactly") << 90 << 7 << true;
        QTest::newRow("one too many") << 90 << 8 << false;
        QTest::newRow("long paste into an empty field") << 0 << 120 << false;
    }

    void pasteBeyondTheLimitIsRefusedWithAMessage()
    {
        QFETCH(int, typed);
        QFETCH(int, pasted);
        QFETCH(bool, accepted);
        action("Novo1")->trigger();
        const QString before(typed, QLatin1Char('t'));
        edit(1)->setText(before);
        QGuiApplication::clipboard()->setText(QString(pasted, QLatin1Char('p')));
        edit(1)->setFocus();
        edit(1)->end(false);
        QTest::keySequence(edit(1), QKeySequence::Paste);
        QCoreApplication::processEvents();
        if (accepted) {
            QCOMPARE(edit(1)->text().size(), typed + pasted);
            QVERIFY(m_dialogs->messages().isEmpty());
            return;
        }
        QCOMPARE(edit(1)->text(), before);
        QCOMPARE(m_dialogs->messageTexts(),
                 QStringList{QStringLiteral("A Descrição aceita no máximo 97 caracteres; com o "
                                            "texto colado ela teria %1.")
                                 .arg(typed + pasted)});
        QCOMPARE(m_dialogs->messages().first().caption, QStringLiteral("Erro"));
    }

    void savedFileReadsBackAsTheSameProblem()
    {
        const QString description = QStringLiteral("Peça nº 1 – vidro “temperado” çãé");
        prepareSavable(description, "1000", "2000",
                       {{"30", "10", "20", "2"}, {"", "7", "9", "0"}, {"4", "1", "1", "5"}});
        const QString name = m_dir->filePath("volta");
        m_dialogs->queueSaveFileName(name);
        clickButton("Button2");
        QVERIFY(m_dialogs->messages().isEmpty());
        const auto read = problem::readBiFile((name + ".BI").toStdString());
        QVERIFY(read.has_value());
        QCOMPARE(QString::fromStdString(read->description), description + "\r\n");
        QCOMPARE(read->plateHeight, 1000);
        QCOMPARE(read->plateLength, 2000);
        QCOMPARE(read->pieceCount, 3);
        const problem::TPieceType expected[] = {
            {1, 10, 20, 2, 30}, {2, 7, 9, 0, 63}, {3, 1, 1, 5, 4}};
        for (int k = 0; k < 3; ++k)
            QVERIFY(read->pieces[k] == expected[k]);
    }

    void abrirShowsTheFileAndLeavesFieldsAsTheyWere()
    {
        problem::TInstance instance;
        instance.description = "Arquivo";
        instance.plateHeight = 40;
        instance.plateLength = 50;
        instance.pieceCount = 15;
        for (int k = 0; k < 15; ++k)
            instance.pieces[k] = {k + 1, k + 2, k + 3, k + 4, k + 5};
        const QString path = m_dir->filePath("aberto.BI");
        QVERIFY(problem::writeBiFile(instance, path.toStdString()).has_value());

        action("Novo1")->trigger();
        m_dialogs->queueOpenFileName(path);
        action("Abrir1")->trigger();
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(edit(1)->text(), QStringLiteral("Arquivo"));
        QCOMPARE(edit(1)->cursorPosition(), 0); // a long description shows from its start
        QCOMPARE(edit(2)->text(), QStringLiteral("40"));
        QCOMPARE(edit(3)->text(), QStringLiteral("50"));
        QCOMPARE(edit(4)->text(), QStringLiteral("15"));
        QCOMPARE(grid()->rowCount(), 16);
        QCOMPARE(grid()->cell(1, 15), QStringLiteral("19"));
        QCOMPARE(grid()->width(), 347);
        // Fields stay editable and "Salvar" disabled, as "Novo" left them.
        expectState(false, true, false, false, true, false);

        // Loading cleared the new-file mode: "OK" keeps the loaded cells.
        clickButton("Button3");
        clickButton("Button1");
        QCOMPARE(grid()->cell(1, 1), QStringLiteral("5"));
    }

    void failedOrCancelledAbrirChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << "nao-existe.BI";
        QTest::newRow("folder") << "pasta.BI";
    }

    void failedOrCancelledAbrirChangesNothing()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("pasta.BI")));
        confirmHeader("Antes", "10", "10", "1");
        action("Abrir1")->trigger(); // cancelled
        m_dialogs->queueOpenFileName(m_dir->filePath(name));
        action("Abrir1")->trigger();
        QCOMPARE(m_dialogs->messageTexts(),
                 QStringList{QStringLiteral("Erro ao abrir o arquivo de entrada!")});
        QCOMPARE(edit(1)->text(), QStringLiteral("Antes"));
        expectState(true, true, false, false, true, true);
    }

    void saveThatFailsPartWayKeepsTheOldFile()
    {
        QList<PieceTexts> rows;
        for (int row = 1; row <= 60; ++row)
            rows.push_back({QString::number(1000 + row), "2", "3", "4"});
        prepareSavable("Muitas peças", "1000", "1000", rows);
        const QString name = m_dir->filePath("teste");
        QFile old(name + ".BI");
        QVERIFY(old.open(QIODevice::WriteOnly));
        const QByteArray oldBytes(20000, 'o');
        old.write(oldBytes);
        old.close();
        m_dialogs->queueSaveFileName(name);
        {
            const FileSizeLimit limit(512);
            clickButton("Button2");
        }
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->messages().first().text.contains("teste.BI"));
        QVERIFY(fileBytes(name + ".BI") == oldBytes);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"teste.BI"});
    }

private:
    template <typename T> T* child(const QString& name) const
    {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("missing control %s", qPrintable(name));
        return found;
    }

    QLineEdit* edit(int number) const
    {
        return child<QLineEdit>(QStringLiteral("Edit%1").arg(number));
    }

    QPushButton* button(const QString& name) const { return child<QPushButton>(name); }
    QAction* action(const QString& name) const { return child<QAction>(name); }
    StringGrid* grid() const { return child<StringGrid>("StringGrid1"); }

    // Clicks like a user: a disabled button does not react.
    void clickButton(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    void typeHeader(const QString& description, const QString& height, const QString& length,
                    const QString& count)
    {
        edit(1)->setText(description);
        edit(2)->setText(height);
        edit(3)->setText(length);
        edit(4)->setText(count);
    }

    void typeRow(int row, const PieceTexts& texts)
    {
        grid()->setCell(1, row, texts.value);
        grid()->setCell(2, row, texts.height);
        grid()->setCell(3, row, texts.length);
        grid()->setCell(4, row, texts.demand);
    }

    void confirmHeader(const QString& description, const QString& height, const QString& length,
                       const QString& count)
    {
        action("Novo1")->trigger();
        typeHeader(description, height, length, count);
        clickButton("Button1");
    }

    // Novo, header, OK, Atualizar, rows, OK: "Salvar" is enabled afterwards.
    void prepareSavable(const QString& description, const QString& height, const QString& length,
                        const QList<PieceTexts>& rows)
    {
        confirmHeader(description, height, length, QString::number(rows.size()));
        clickButton("Button3");
        for (int row = 1; row <= rows.size(); ++row)
            typeRow(row, rows[row - 1]);
        clickButton("Button1");
        QVERIFY(button("Button2")->isEnabled());
    }

    void expectState(bool fieldsReadOnly, bool gridShown, bool cellEditing, bool ok, bool update,
                     bool save)
    {
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(edit(i)->isReadOnly(), fieldsReadOnly);
        QCOMPARE(grid()->isVisible(), gridShown);
        QCOMPARE(grid()->cellEditing(), cellEditing);
        QCOMPARE(button("Button1")->isEnabled(), ok);
        QCOMPARE(button("Button3")->isEnabled(), update);
        QCOMPARE(button("Button2")->isEnabled(), save);
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TForm3> m_form;
    std::unique_ptr<QTemporaryDir> m_dir;
};

QUADRIX_GUI_TEST_MAIN(TestEditor)
#include "test_editor.moc"
