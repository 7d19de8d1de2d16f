#include "problem/ui/RunWindow.h"

#include "pattern/ui/PatternWindow.h"
#include "problem/BiFile.h"
#include "problem/MemoryGuard.h"
#include "problem/NumberText.h"
#include "problem/ui/InstanceView.h"
#include "widgets/Dialogs.h"
#include "widgets/ElidedLabel.h"
#include "widgets/FilePath.h"
#include "widgets/ProgramLook.h"
#include "widgets/ReportView.h"
#include "widgets/StringGrid.h"
#include "widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <utility>

namespace {

// Run windows show a narrow piece grid up to this many piece types.
constexpr int narrowPieceGridUpTo = 16;

// The worker's stack: the deepest search the core allows takes about 7 MB in a release build,
// several times that in a debug one; only the pages used are ever committed.
constexpr uint workerStackBytes = 256u << 20;

// How often the status bar shows the run's time and progress.
constexpr int progressRefreshMs = 250;

std::function<void(problem::RunControl&)>& runStartHook()
{
    static std::function<void(problem::RunControl&)> hook;
    return hook;
}

bool& runsInline()
{
    static bool inline_ = false;
    return inline_;
}

QStringList toQStringList(const problem::ReportLines& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

problem::ReportLines toReportLines(const QStringList& list)
{
    problem::ReportLines lines;
    lines.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& line : list)
        lines.push_back(line.toStdString());
    return lines;
}

} // namespace

RunWindow::RunWindow(const QString& objectName, const QString& caption, QSize size)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(size);
    setCentralWidget(new QWidget(this));
    addMenu();
    addInstanceControls();

    Memo1 = new ReportView(centralWidget());
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(reportFont());
    Memo2 = new ReportView(centralWidget());
    Memo2->setObjectName(QStringLiteral("Memo2"));
    // Wide enough for a loss written with 15 significant digits down to 0,1 % (0,333333333333333).
    Memo2->setGeometry(808, 104, 165, 89);
    StringGrid2 = new StringGrid(2, 2, centralWidget());
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(808, 216, 133, 337);
    StringGrid2->setWidthAndScrollBar(133, false);

    Button1 = new QPushButton(QStringLiteral("Calcular"), centralWidget());
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setEnabled(false);
    Button1->setShortcut(QKeySequence(Qt::Key_F9));
    connect(Button1, &QPushButton::clicked, this, &RunWindow::Button1Click);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(progressRefreshMs);
    connect(m_progressTimer, &QTimer::timeout, this, &RunWindow::showProgress);
}

RunWindow::~RunWindow()
{
    abandonRun();
}

void RunWindow::closeEvent(QCloseEvent* event)
{
    // A run of a closed window has no one to show its result to.
    if (m_worker) {
        abandonRun();
        setRunning(false);
    }
    QMainWindow::closeEvent(event);
}

void RunWindow::addMenu()
{
    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("Arquivo"));
    arquivo->setObjectName(QStringLiteral("Arquivo1"));
    Abrir1 =
        arquivo->addAction(QStringLiteral("Abrir Arquivo de Dados"), this, &RunWindow::Abrir1Click);
    Abrir1->setObjectName(QStringLiteral("Abrir1"));
    Abrir1->setShortcut(QKeySequence::Open);
    SalvarResultado1 = arquivo->addAction(QStringLiteral("Salvar Resultado"), this,
                                          &RunWindow::SalvarResultado1Click);
    SalvarResultado1->setObjectName(QStringLiteral("SalvarResultado1"));
    SalvarResultado1->setShortcut(QKeySequence::Save);
    VisualizarPadrao1 = arquivo->addAction(QStringLiteral("Visualizar Padrão"), this,
                                           &RunWindow::VisualizarPadrao1Click);
    VisualizarPadrao1->setObjectName(QStringLiteral("VisualizarPadrao1"));
    VisualizarPadrao1->setEnabled(false);
    Parar1 = arquivo->addAction(QStringLiteral("Parar"), this, &RunWindow::Parar1Click);
    Parar1->setObjectName(QStringLiteral("Parar1"));
    Parar1->setShortcut(QKeySequence(Qt::Key_Escape));
    Parar1->setEnabled(false);
    arquivo->addSeparator()->setObjectName(QStringLiteral("N1"));
    arquivo->addAction(QStringLiteral("Fechar"), this, &RunWindow::Fechar1Click)
        ->setObjectName(QStringLiteral("Fechar1"));
    QMenu* ajuda = menuBar()->addMenu(QStringLiteral("Ajuda"));
    ajuda->setObjectName(QStringLiteral("Ajdua1"));
    ajuda->addAction(QStringLiteral("Sobre"), this, &RunWindow::Sobre1Click)
        ->setObjectName(QStringLiteral("Sobre1"));
}

void RunWindow::addInstanceControls()
{
    // The description may be long: the label ends before the parameters and cuts it there.
    Label1 = new ElidedLabel(centralWidget());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 16, 360, 16);
    addLabel(QStringLiteral("Label2"), QStringLiteral("Altura da placa"), 16, 40);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Comprimento da placa"), 136, 40);
    addLabel(QStringLiteral("Label4"), QStringLiteral("Quantidade de peças"), 256, 40);
    Edit1 = addEdit(QStringLiteral("Edit1"), 16);
    Edit2 = addEdit(QStringLiteral("Edit2"), 136);
    Edit3 = addEdit(QStringLiteral("Edit3"), 256);
    StringGrid1 = new StringGrid(5, 2, centralWidget());
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 104, 329, 449);
    StringGrid1->setWidthAndScrollBar(329, false);
    setPieceGridColumns(*StringGrid1);
}

QLabel* RunWindow::addLabel(const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, centralWidget());
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* RunWindow::addEdit(const QString& name, int left)
{
    auto* edit = new QLineEdit(centralWidget());
    edit->setObjectName(name);
    edit->setGeometry(left, 56, 105, 21);
    edit->setReadOnly(true);
    return edit;
}

char RunWindow::decimalSeparator()
{
    return problem::decimalSeparatorOf(QLocale::system().decimalPoint().toStdString())
        .value_or('.');
}

QString RunWindow::localDecimal(const char* text)
{
    return QString::fromLatin1(text).replace(QLatin1Char(','), QLatin1Char(decimalSeparator()));
}

void RunWindow::Abrir1Click()
{
    const QString name = Dialogs::openFileName(QStringLiteral("Arquivos de Entrada *.BI (*.BI)"));
    if (name.isEmpty())
        return;
    auto read = problem::readBiFile(toFilesystemPath(name));
    if (!read) {
        Dialogs::error(toQString(read.error()));
        return;
    }
    m_instance = std::move(*read);
    showInstance();
    m_instanceLoaded = true;
    Button1->setEnabled(true);
    Memo1->clearLines();
    Memo2->clearLines();
    setResultPresent(false);
    // The drawing belonged to the previous problem.
    if (m_patternWindow)
        m_patternWindow->hide();
}

void RunWindow::showInstance()
{
    Label1->setText(toQString(m_instance.description));
    Edit1->setText(QString::number(m_instance.plateHeight));
    Edit2->setText(QString::number(m_instance.plateLength));
    Edit3->setText(QString::number(m_instance.pieceCount));
    fillPieceGrid(*StringGrid1, m_instance, narrowPieceGridUpTo);
}

void RunWindow::SalvarResultado1Click()
{
    if (!m_resultPresent) {
        Dialogs::error(QStringLiteral("Não há dados a serem salvos!"));
        return;
    }
    const QString name = Dialogs::saveFileName(QStringLiteral("Arquivo Texto *.txt (*.txt)"));
    if (name.isEmpty())
        return;
    // The suffix is appended always, as result files have always been named.
    const auto written =
        problem::writeResultFile(toReportLines(Memo1->lines()), toFilesystemPath(name + ".txt"));
    if (!written)
        Dialogs::exceptionReport(toQString(written.error()));
}

void RunWindow::Fechar1Click()
{
    close();
}

void RunWindow::Sobre1Click()
{
    if (m_aboutBox)
        m_aboutBox->exec();
}

void RunWindow::beginRun()
{
    Memo1->clearLines();
    Memo2->clearLines();
    StringGrid2->hide();
    StringGrid2->show();
    Memo1->addLine(QStringLiteral("Calculando..."));
}

void RunWindow::setRunStartHook(std::function<void(problem::RunControl&)> hook)
{
    runStartHook() = std::move(hook);
}

void RunWindow::setRunsInline(bool inline_)
{
    runsInline() = inline_;
}

void RunWindow::startRun(std::function<void(problem::RunControl&)> work,
                         std::function<void()> finish)
{
    // Reports come from the worker; the window reads them on its own thread.
    m_control = std::make_unique<problem::RunControl>([this](const problem::RunProgress& progress) {
        QMetaObject::invokeMethod(
            this, [this, progress] { m_progress = progress; }, Qt::QueuedConnection);
    });
    m_progress = {};
    setRunning(true);
    if (runsInline()) {
        work(*m_control);
        setRunning(false);
        finish();
        return;
    }
    problem::RunControl& control = *m_control;
    m_worker = QThread::create([&control, work = std::move(work)] {
        if (const auto& hook = runStartHook())
            hook(control);
        work(control);
    });
    m_worker->setStackSize(workerStackBytes);
    const quint64 run = ++m_runSerial;
    connect(m_worker, &QThread::finished, this, [this, run, finish = std::move(finish)] {
        if (run != m_runSerial)
            return; // abandoned: its thread is gone and its result unwanted
        m_worker->deleteLater();
        m_worker = nullptr;
        setRunning(false);
        finish();
        problem::returnFreedMemory();
    });
    m_worker->start();
}

void RunWindow::Parar1Click()
{
    if (m_control)
        m_control->requestStop();
}

void RunWindow::abandonRun()
{
    if (!m_worker)
        return;
    m_control->requestStop();
    ++m_runSerial;
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    problem::returnFreedMemory();
}

void RunWindow::setRunning(bool running)
{
    m_running = running;
    Abrir1->setEnabled(!running);
    Button1->setEnabled(!running && m_instanceLoaded);
    SalvarResultado1->setEnabled(!running);
    VisualizarPadrao1->setEnabled(!running && m_resultPresent);
    Parar1->setEnabled(running);
    setParametersEnabled(!running);
    if (running) {
        m_runClock.start();
        showProgress();
        m_progressTimer->start();
    } else {
        m_progressTimer->stop();
        statusBar()->clearMessage();
    }
}

void RunWindow::showProgress()
{
    const qint64 seconds = m_runClock.elapsed() / 1000;
    const QString progress = progressText(m_progress);
    statusBar()->showMessage(QStringLiteral("Calculando... %1 s").arg(seconds) +
                             (progress.isEmpty() ? QString() : QStringLiteral(" · ") + progress));
}

void RunWindow::showFailure(const std::string& message, bool stopped)
{
    if (stopped)
        Dialogs::message(toQString(message), QStringLiteral("Quadrix"), Dialogs::Icon::Information);
    else
        Dialogs::error(toQString(message));
}

void RunWindow::completeRun(const problem::ReportLines& report, const problem::ReportLines& summary,
                            const std::array<std::int32_t, problem::maxPieceTypes>& counts)
{
    fillCountGrid(*StringGrid2, counts, m_instance.pieceCount);
    Memo2->setLines(toQStringList(summary));
    Memo1->setLines(toQStringList(report));
    setResultPresent(true);
    if (m_patternWindow)
        m_patternWindow->setPattern(m_resultPattern, m_instance, m_resultRunLines);
    Dialogs::message(QStringLiteral("Cálculo concluído"), QString(), Dialogs::Icon::None);
}

void RunWindow::setResultPresent(bool present)
{
    m_resultPresent = present;
    VisualizarPadrao1->setEnabled(present && !m_running);
}

void RunWindow::setResultPattern(pattern::CuttingPattern pattern, std::vector<std::string> runLines)
{
    m_resultPattern = std::move(pattern);
    m_resultRunLines = std::move(runLines);
}

void RunWindow::VisualizarPadrao1Click()
{
    if (!m_resultPresent)
        return;
    if (!m_patternWindow) {
        m_patternWindow = new PatternWindow(this);
        centreWhenFirstShown(m_patternWindow, this);
    }
    m_patternWindow->setPattern(m_resultPattern, m_instance, m_resultRunLines);
    m_patternWindow->show();
    m_patternWindow->raise();
    m_patternWindow->activateWindow();
}
