#pragma once

#include <QLabel>

// A one-line label of fixed width for texts of any length: it keeps the whole text, draws its
// first line cut with "…" where it does not fit, and shows the whole line as a tool tip then.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // What the label draws: the first line of its text, elided to its width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString firstLine() const;
};
