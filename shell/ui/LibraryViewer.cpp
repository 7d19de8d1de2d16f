#include "shell/ui/LibraryViewer.h"

#include "problem/Windows1252.h"
#include "shell/LibraryTexts.h"
#include "shell/RtfReader.h"
#include "widgets/Dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextEdit>

namespace {

// Plain texts are read as UTF-8 when they are valid UTF-8, else as Windows-1252, the code
// page the library texts have always been written in.
QString decodePlainText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromStdString(problem::fromWindows1252(bytes.toStdString()));
}

} // namespace

TForm2::TForm2()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quadrix - Bibliotecas Computacionais"));
    resize(840, 655);
    createMenu();
    createControls();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
}

void TForm2::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("Arquivo"));
    file->setObjectName(QStringLiteral("Arquivo1"));
    QMenu* show = file->addMenu(QStringLiteral("Exibir"));
    show->setObjectName(QStringLiteral("Exibir1"));
    show->addAction(QStringLiteral("Abordagem Grafo E/OU Irrestrito"), this,
                    &TForm2::AbordagemGrafoEOUIrrestrito1Click)
        ->setObjectName(QStringLiteral("AbordagemGrafoEOUIrrestrito1"));
    show->addAction(QStringLiteral("Abordagem Grafo E/OU Restrito"), this,
                    &TForm2::AbordagemGrafoEOU1Click)
        ->setObjectName(QStringLiteral("AbordagemGrafoEOU1"));
    show->addAction(QStringLiteral("Algoritmo de Wang"), this, &TForm2::AlgoritmodeWang1Click)
        ->setObjectName(QStringLiteral("AlgoritmodeWang1"));
    file->addAction(QStringLiteral("Imprimir"), this, &TForm2::Imprimir1Click)
        ->setObjectName(QStringLiteral("Imprimir1"));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    file->addAction(QStringLiteral("Fechar"), this, &TForm2::Fechar1Click)
        ->setObjectName(QStringLiteral("Fechar1"));
}

void TForm2::createControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* label = new QLabel(central);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(16, 0, 300, 16);
    m_richEdit = new QTextEdit(central);
    m_richEdit->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit->setGeometry(16, 16, 800, 553);
    m_richEdit->setReadOnly(true);
    m_richEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TForm2::setProgramDirectory(const QString& directory)
{
    m_programDirectory = directory;
}

void TForm2::AbordagemGrafoEOUIrrestrito1Click()
{
    showLibrary(QStringLiteral("GSi.s"));
}

void TForm2::AbordagemGrafoEOU1Click()
{
    showLibrary(QStringLiteral("GSr.s"));
}

void TForm2::AlgoritmodeWang1Click()
{
    showLibrary(QStringLiteral("WS.s"));
}

void TForm2::showLibrary(const QString& fileName)
{
    const QString directory =
        m_programDirectory.isEmpty() ? QCoreApplication::applicationDirPath() : m_programDirectory;
    const std::filesystem::path path =
        shell::findLibraryText(QFile::encodeName(directory).toStdString(), fileName.toStdString());
    m_libraryLoaded =
        !path.empty() && loadInto(QFile::decodeName(QByteArray::fromStdString(path.native())));
    if (!m_libraryLoaded)
        Dialogs::error(QStringLiteral("Não foi possível abrir o arquivo!"));
}

// Replaces the area's content by the file's; false, with the area untouched, when the file
// cannot be read.
bool TForm2::loadInto(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (shell::isRtf(view))
        m_richEdit->setHtml(QString::fromStdString(shell::rtfToHtml(view)));
    else
        m_richEdit->setPlainText(decodePlainText(bytes));
    return true;
}

void TForm2::Imprimir1Click()
{
    if (!m_libraryLoaded) {
        Dialogs::error(QStringLiteral("Selecione uma biblioteca para ser impressa!"));
        return;
    }
    QPrinter printer;
    if (!Dialogs::printerSetup(printer))
        return;
    printer.setFullPage(true);
    // The job is titled with the whole text shown, long as it may be.
    printer.setDocName(m_richEdit->toPlainText());
    m_richEdit->document()->print(&printer);
}

void TForm2::Fechar1Click()
{
    m_libraryLoaded = false;
    m_richEdit->clear();
    close();
}
