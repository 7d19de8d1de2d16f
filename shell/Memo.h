#pragma once

#include <QPlainTextEdit>
#include <QStringList>

// A read-only text area that holds its text as a list of lines, as reports are written.
class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    void addLine(const QString& line);
    void setLines(const QStringList& lines);
    void clearLines();

private:
    QStringList m_lines;
};
