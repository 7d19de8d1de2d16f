#include "shell/ui/AboutBoxes.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int clientHeight = 213;
} // namespace

AboutBoxBase::AboutBoxBase(const QString& moduleLine, int clientWidth)
{
    setWindowTitle(QStringLiteral("Sobre"));
    setFixedSize(clientWidth, clientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, clientWidth - 16, 161);

    auto* productName = new QLabel(QStringLiteral("Quadrix"), panel);
    productName->setObjectName(QStringLiteral("ProductName"));
    productName->setGeometry(16, 16, clientWidth - 48, 24);
    QFont productFont = productName->font();
    productFont.setBold(true);
    productFont.setPointSize(12);
    productName->setFont(productFont);

    m_version = new QLabel(moduleLine, panel);
    m_version->setObjectName(QStringLiteral("Version"));
    m_version->setGeometry(16, 48, clientWidth - 48, 20);

    auto* copyright = new QLabel(QStringLiteral("Quadrix © 2026"), panel);
    copyright->setObjectName(QStringLiteral("Copyright"));
    copyright->setGeometry(16, 88, clientWidth - 48, 20);

    auto* comments = new QLabel(QStringLiteral("Corte guilhotinado bidimensional"), panel);
    comments->setObjectName(QStringLiteral("Comments"));
    comments->setGeometry(16, 112, clientWidth - 48, 20);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setGeometry((clientWidth - 75) / 2, 178, 75, 25);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutBoxBase::moduleLine() const
{
    return m_version->text();
}

TAboutBox::TAboutBox() : AboutBoxBase(QStringLiteral("Abordagem Grafo E/OU"), 312) {}

TAboutBox1::TAboutBox1() : AboutBoxBase(QStringLiteral("Algoritmo de Wang"), 314) {}

TAboutBox2::TAboutBox2() : AboutBoxBase(QStringLiteral("Versão 1.0"), 313) {}
