#include "pattern/ui/PatternWindow.h"

#include "pattern/PatternSvg.h"
#include "pattern/ui/PatternPainter.h"
#include "pattern/ui/PatternView.h"
#include "problem/AtomicFile.h"
#include "widgets/Dialogs.h"
#include "widgets/FilePath.h"

#include <QBuffer>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>

namespace {

// Exported images are at least as large as a drawing file, so that a small window still gives a
// usable file.
constexpr QSize smallestExport(static_cast<int>(pattern::fileDrawingWidth),
                               static_cast<int>(pattern::fileDrawingHeight));
constexpr double printLayoutWidth = 1000;

const QString pngFilter = QStringLiteral("Imagem PNG *.png (*.png)");
const QString svgFilter = QStringLiteral("Imagem SVG *.svg (*.svg)");

struct ExportTarget {
    QString path;
    bool svg;
};

// A name ending in ".png" or ".svg" keeps its format; any other name gets the format of the
// filter selected and its extension.
ExportTarget exportTarget(const Dialogs::SaveChoice& choice)
{
    if (choice.name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return {choice.name, true};
    if (choice.name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return {choice.name, false};
    const bool svg = choice.filter == svgFilter;
    return {choice.name + (svg ? QStringLiteral(".svg") : QStringLiteral(".png")), svg};
}

} // namespace

PatternWindow::PatternWindow(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PatternWindow"));
    setWindowTitle(QStringLiteral("Quadrix - Padrão de Corte"));
    resize(900, 600);
    m_view = new PatternView(this);
    m_view->setObjectName(QStringLiteral("PatternView1"));
    setCentralWidget(m_view);

    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("Arquivo"));
    arquivo->setObjectName(QStringLiteral("Arquivo1"));
    arquivo
        ->addAction(QStringLiteral("Exportar Imagem..."), this,
                    &PatternWindow::ExportarImagem1Click)
        ->setObjectName(QStringLiteral("ExportarImagem1"));
    QAction* imprimir =
        arquivo->addAction(QStringLiteral("Imprimir"), this, &PatternWindow::Imprimir1Click);
    imprimir->setObjectName(QStringLiteral("Imprimir1"));
    imprimir->setShortcut(QKeySequence::Print);
    arquivo->addSeparator();
    arquivo->addAction(QStringLiteral("Fechar"), this, &PatternWindow::Fechar1Click)
        ->setObjectName(QStringLiteral("Fechar1"));
}

void PatternWindow::setPattern(const pattern::CuttingPattern& pattern,
                               const problem::TInstance& instance,
                               const std::vector<std::string>& runLines)
{
    m_view->setPattern(pattern, instance, runLines);
}

void PatternWindow::ExportarImagem1Click()
{
    const Dialogs::SaveChoice choice =
        Dialogs::saveFile(pngFilter + QStringLiteral(";;") + svgFilter);
    if (choice.name.isEmpty())
        return;
    const ExportTarget target = exportTarget(choice);
    const QString& name = target.path;
    const QSize size = m_view->size().expandedTo(smallestExport);
    if (target.svg) {
        const pattern::PatternScene scene = pattern::buildPatternScene(
            m_view->pattern(), m_view->instance(), m_view->runLines(), size.width(), size.height());
        const auto written = pattern::writePatternSvg(scene, toFilesystemPath(name));
        if (!written)
            Dialogs::exceptionReport(QString::fromStdString(written.error()));
        return;
    }
    // Encoded in memory, then written as every other file is: whole or not at all.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const QImage image =
        renderPatternImage(m_view->pattern(), m_view->instance(), m_view->runLines(), size);
    if (!image.save(&buffer, "PNG")) {
        Dialogs::exceptionReport(QStringLiteral("Não foi possível gravar o arquivo ") + name);
        return;
    }
    const auto written = problem::writeFileAtomically(
        toFilesystemPath(name),
        std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (!written)
        Dialogs::exceptionReport(QString::fromStdString(written.error()));
}

void PatternWindow::Imprimir1Click()
{
    QPrinter printer;
    printer.setDocName(windowTitle());
    if (!Dialogs::printerSetup(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        Dialogs::exceptionReport(QStringLiteral("Não foi possível imprimir."));
        return;
    }
    // Laid out at a screen-like width and scaled to the page, so fonts keep their proportion.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double factor = page.width() / printLayoutWidth;
    painter.scale(factor, factor);
    paintPatternScene(painter, pattern::buildPatternScene(m_view->pattern(), m_view->instance(),
                                                          m_view->runLines(), printLayoutWidth,
                                                          page.height() / factor));
}

void PatternWindow::Fechar1Click()
{
    close();
}
