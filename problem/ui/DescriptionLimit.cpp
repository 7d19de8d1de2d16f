#include "problem/ui/DescriptionLimit.h"

#include <QLineEdit>

DescriptionLimit::DescriptionLimit(QLineEdit* field, int maxLength)
    : QValidator(field), m_maxLength(maxLength)
{
    // The text an edit starts from; the field already holds the edited text when asked.
    connect(field, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_lengthBefore = text.size(); });
}

QValidator::State DescriptionLimit::validate(QString& input, int&) const
{
    if (input.size() <= m_maxLength)
        return Acceptable;
    if (input.size() - m_lengthBefore > 1)
        emit refused(static_cast<int>(input.size()));
    return Invalid;
}

QString DescriptionLimit::countText(qsizetype length, int maxLength)
{
    const qsizetype left = maxLength - length;
    if (length == 0)
        return QStringLiteral("Descrição: %1 caracteres no máximo").arg(maxLength);
    if (left < 0)
        return QStringLiteral("Descrição: %1 caracteres além do máximo de %2")
            .arg(-left)
            .arg(maxLength);
    return QStringLiteral("Descrição: %1 %2 de %3 caracteres")
        .arg(left == 1 ? QStringLiteral("resta") : QStringLiteral("restam"))
        .arg(left)
        .arg(maxLength);
}
