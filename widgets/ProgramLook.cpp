#include "widgets/ProgramLook.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QFont fontOf(const QString& family, QFont::StyleHint hint, int points)
{
    QFont font(family, points);
    // Where the family is missing, a font of the same kind stands in.
    font.setStyleHint(hint);
    return font;
}

} // namespace

QFont dialogFont()
{
    return fontOf(QStringLiteral("Liberation Sans"), QFont::SansSerif, 8);
}

QFont bigButtonFont()
{
    QFont font = dialogFont();
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

QFont reportFont()
{
    return fontOf(QStringLiteral("DejaVu Sans Mono"), QFont::TypeWriter, 8);
}

bool applyProgramLook(QApplication& app)
{
    QApplication::setFont(dialogFont());
    auto* translator = new QTranslator(&app);
    const bool loaded = translator->load(QStringLiteral("qtbase_pt_BR"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QApplication::installTranslator(translator);
    else
        delete translator;
    return loaded;
}
