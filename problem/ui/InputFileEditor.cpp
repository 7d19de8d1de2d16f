#include "problem/ui/InputFileEditor.h"

#include "problem/BiFile.h"
#include "problem/DescriptionCheck.h"
#include "problem/PieceTable.h"
#include "problem/ui/DescriptionLimit.h"
#include "problem/ui/InstanceView.h"
#include "widgets/Dialogs.h"
#include "widgets/FilePath.h"
#include "widgets/ReportView.h"
#include "widgets/StringGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <filesystem>

namespace {

// The filter "Arquivos de Entrada BI|*.BI" in the form the file dialogs take.
const QString fileFilter = QStringLiteral("Arquivos de Entrada BI (*.BI)");
constexpr int narrowGridUpTo = 14;
constexpr int fieldLeft = 376;
constexpr int fieldWidth = 161;

QString headerFaultMessage(problem::HeaderFault fault)
{
    switch (fault) {
    case problem::HeaderFault::Height:
        return QStringLiteral("Digite um valor inteiro para a Altura!");
    case problem::HeaderFault::Length:
        return QStringLiteral("Digite um valor inteiro para o Comprimento!");
    case problem::HeaderFault::Count:
        return QStringLiteral("Digite um valor inteiro para a Quantidade de Peças!");
    case problem::HeaderFault::CountAboveCapacity:
        return QStringLiteral("A Quantidade de Peças deve ser no máximo %1!")
            .arg(problem::maxPieceTypes);
    case problem::HeaderFault::None:
        break;
    }
    return {};
}

QString descriptionFaultMessage(problem::DescriptionFault fault)
{
    switch (fault) {
    case problem::DescriptionFault::Unwritable:
        return QStringLiteral("A Descrição contém caracteres que não podem ser gravados!");
    case problem::DescriptionFault::TooLong:
        return QStringLiteral("A Descrição deve ter no máximo %1 caracteres!")
            .arg(problem::maxDescriptionLength);
    case problem::DescriptionFault::LostStart:
        return QStringLiteral("A Descrição deve começar com uma letra ou um algarismo!");
    case problem::DescriptionFault::None:
        break;
    }
    return {};
}

// The description as the editor shows it: the file's line end (two characters) cut off.
QString shownDescription(const std::string& raw)
{
    QString text = QString::fromStdString(raw);
    text.chop(2);
    return text;
}

std::vector<std::string> linesOf(const ReportView& memo)
{
    std::vector<std::string> lines;
    for (const QString& line : memo.lines())
        lines.push_back(line.toStdString());
    return lines;
}

} // namespace

TForm3::TForm3()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Quadrix - Arquivos de Entrada"));
    resize(558, 518);
    createMenu();
    createControls();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    auto* count = new QLabel(DescriptionLimit::countText(0, problem::maxDescriptionLength));
    count->setObjectName(QStringLiteral("DescriptionCount"));
    statusBar()->addWidget(count);
    connect(m_description, &QLineEdit::textChanged, count, [count](const QString& text) {
        count->setText(DescriptionLimit::countText(text.size(), problem::maxDescriptionLength));
    });
}

void TForm3::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("Arquivo"));
    file->setObjectName(QStringLiteral("Arquivo1"));
    file->addAction(QStringLiteral("Novo"), this, &TForm3::Novo1Click)
        ->setObjectName(QStringLiteral("Novo1"));
    file->addAction(QStringLiteral("Abrir"), this, &TForm3::Abrir1Click)
        ->setObjectName(QStringLiteral("Abrir1"));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    file->addAction(QStringLiteral("Fechar"), this, &TForm3::Fechar1Click)
        ->setObjectName(QStringLiteral("Fechar1"));
}

void TForm3::createControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);

    m_grid = new StringGrid(5, 2, central);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setGeometry(16, 8, 347, 401);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setCellEditing(true);
    setPieceGridColumns(*m_grid);
    m_grid->hide();

    m_description =
        addField(QStringLiteral("Label1"), QStringLiteral("Descrição"), QStringLiteral("Edit1"), 8);
    // Longer descriptions would not read back from the file; the status bar counts.
    auto* limit = new DescriptionLimit(m_description, problem::maxDescriptionLength);
    m_description->setValidator(limit);
    connect(limit, &DescriptionLimit::refused, this, &TForm3::descriptionRefused,
            Qt::QueuedConnection);
    m_height =
        addField(QStringLiteral("Label2"), QStringLiteral("Altura"), QStringLiteral("Edit2"), 56);
    m_length = addField(QStringLiteral("Label3"), QStringLiteral("Comprimento"),
                        QStringLiteral("Edit3"), 104);
    m_count = addField(QStringLiteral("Label4"), QStringLiteral("Quantidade de peças"),
                       QStringLiteral("Edit4"), 152);

    m_ok = addButton(QStringLiteral("Button1"), QStringLiteral("OK"), 208);
    m_update = addButton(QStringLiteral("Button3"), QStringLiteral("Atualizar"), 248);
    m_save = addButton(QStringLiteral("Button2"), QStringLiteral("Salvar"), 288);
    connect(m_ok, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(m_update, &QPushButton::clicked, this, &TForm3::Button3Click);
    connect(m_save, &QPushButton::clicked, this, &TForm3::Button2Click);

    auto* label5 = new QLabel(central);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(fieldLeft, 336, fieldWidth, 16);

    m_memo = new ReportView(central);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setGeometry(fieldLeft, 360, fieldWidth, 49);
    m_memo->hide();
}

QLineEdit* TForm3::addField(const QString& labelName, const QString& caption, const QString& name,
                            int top)
{
    auto* label = new QLabel(caption, centralWidget());
    label->setObjectName(labelName);
    label->setGeometry(fieldLeft, top, fieldWidth, 16);
    auto* edit = new QLineEdit(centralWidget());
    edit->setObjectName(name);
    edit->setGeometry(fieldLeft, top + 16, fieldWidth, 21);
    edit->setReadOnly(true);
    return edit;
}

QPushButton* TForm3::addButton(const QString& name, const QString& caption, int top)
{
    auto* button = new QPushButton(caption, centralWidget());
    button->setObjectName(name);
    button->setGeometry(fieldLeft, top, 75, 25);
    button->setEnabled(false);
    return button;
}

void TForm3::setFieldsReadOnly(bool readOnly)
{
    for (QLineEdit* field : {m_description, m_height, m_length, m_count})
        field->setReadOnly(readOnly);
}

void TForm3::Novo1Click()
{
    m_save->setEnabled(false);
    m_update->setEnabled(false);
    m_ok->setEnabled(true);
    m_grid->hide();
    for (QLineEdit* field : {m_description, m_height, m_length, m_count})
        field->clear();
    setFieldsReadOnly(false);
    m_grid->setCellEditing(true);
    m_newFileMode = true;
}

void TForm3::Abrir1Click()
{
    const QString name = Dialogs::openFileName(fileFilter);
    if (name.isEmpty())
        return;
    auto loaded = problem::readBiFile(toFilesystemPath(name));
    if (!loaded) {
        Dialogs::error(QString::fromStdString(loaded.error()));
        return;
    }
    m_instance = *std::move(loaded);
    m_description->setText(shownDescription(m_instance.description));
    // A description longer than the field shows from its start.
    m_description->setCursorPosition(0);
    m_height->setText(QString::number(m_instance.plateHeight));
    m_length->setText(QString::number(m_instance.plateLength));
    m_count->setText(QString::number(m_instance.pieceCount));
    fillPieceGrid(*m_grid, m_instance, narrowGridUpTo);
    m_ok->setEnabled(false);
    m_update->setEnabled(true);
    m_grid->show();
    m_grid->setCellEditing(false);
    m_newFileMode = false;
}

void TForm3::Fechar1Click()
{
    close();
}

void TForm3::descriptionRefused(int length)
{
    Dialogs::error(QStringLiteral("A Descrição aceita no máximo %1 caracteres; com o texto colado "
                                  "ela teria %2.")
                       .arg(problem::maxDescriptionLength)
                       .arg(length));
}

void TForm3::Button1Click()
{
    const problem::HeaderFault fault =
        problem::applyHeaderTexts(m_instance, m_height->text().toStdString(),
                                  m_length->text().toStdString(), m_count->text().toStdString());
    if (fault != problem::HeaderFault::None) {
        Dialogs::error(headerFaultMessage(fault));
        return;
    }
    layOutGrid();
    m_grid->show();
    m_save->setEnabled(true);
    m_update->setEnabled(true);
    m_ok->setEnabled(false);
    setFieldsReadOnly(true);
    m_grid->setCellEditing(false);
    m_newFileMode = false;
}

void TForm3::layOutGrid()
{
    const int rows = std::max(m_instance.pieceCount, 0);
    m_grid->setRows(rows + 1);
    if (m_newFileMode) {
        for (int row = 1; row <= rows; ++row) {
            for (int column = 1; column <= 4; ++column)
                m_grid->setCell(column, row, QString());
        }
    }
    const QStringList headings = {QStringLiteral("Peça nº"), QStringLiteral("Valor"),
                                  QStringLiteral("Altura"), QStringLiteral("Comprimento"),
                                  QStringLiteral("Demanda")};
    for (int column = 0; column < headings.size(); ++column)
        m_grid->setCell(column, 0, headings[column]);
    for (int row = 1; row <= rows; ++row)
        m_grid->setCell(0, row, QString::number(row));
    const bool narrow = m_instance.pieceCount <= narrowGridUpTo;
    m_grid->setWidthAndScrollBar(narrow ? 329 : 347, !narrow);
}

void TForm3::Button3Click()
{
    setFieldsReadOnly(false);
    m_ok->setEnabled(true);
    m_save->setEnabled(false);
    m_update->setEnabled(false);
    m_grid->setCellEditing(true);
}

void TForm3::Button2Click()
{
    if (!collectPieces() || m_instance.pieceCount <= 0 || !descriptionIsSavable())
        return;
    const QString name = Dialogs::saveFileName(fileFilter);
    if (name.isEmpty())
        return;
    // The extension is appended whatever the chosen name already ends with.
    save(name + QStringLiteral(".BI"));
}

// Takes the piece types from the grid into the instance; false (with its message) when a
// cell does not convert.
bool TForm3::collectPieces()
{
    const int rows = std::clamp(m_instance.pieceCount, 0, problem::maxPieceTypes);
    std::vector<problem::PieceRowTexts> texts(rows);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= 4; ++column)
            texts[row - 1][column - 1] = m_grid->cell(column, row).toStdString();
    }
    const auto pieces = problem::piecesFromRows(texts);
    if (!pieces) {
        Dialogs::error(QStringLiteral("Digite valores inteiros para as Peças!"));
        return false;
    }
    std::ranges::copy(*pieces, m_instance.pieces.begin());
    return true;
}

bool TForm3::descriptionIsSavable()
{
    const problem::DescriptionFault fault =
        problem::checkDescription(m_description->text().toStdString());
    if (fault == problem::DescriptionFault::None)
        return true;
    Dialogs::error(descriptionFaultMessage(fault));
    return false;
}

// Composes the file's lines in Memo1 and writes them; a failure is reported, nothing else
// changes.
void TForm3::save(const QString& path)
{
    m_instance.description = m_description->text().toStdString();
    m_memo->clearLines();
    for (const std::string& line : problem::biFileLines(m_instance))
        m_memo->addLine(QString::fromStdString(line));
    const auto written = problem::writeTextLines(linesOf(*m_memo), toFilesystemPath(path));
    if (!written)
        Dialogs::exceptionReport(QString::fromStdString(written.error()));
}
