#include "Memo.h"

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void Memo::addLine(const QString& line)
{
    m_lines.append(line);
    appendPlainText(line);
}

void Memo::setLines(const QStringList& lines)
{
    m_lines = lines;
    setPlainText(lines.join(QLatin1Char('\n')));
}

void Memo::clearLines()
{
    m_lines.clear();
    clear();
}
