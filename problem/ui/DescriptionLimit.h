#pragma once

#include <QValidator>

class QLineEdit;

// Keeps the description field within the length a BI input file reads back, without losing
// input unseen: typing stops at the limit while the count says so, and a paste or drop that
// would pass it is refused whole and reported through refused().
class DescriptionLimit : public QValidator {
    Q_OBJECT
public:
    DescriptionLimit(QLineEdit* field, int maxLength);

    State validate(QString& input, int& pos) const override;

    // What the count beside the field says for a text of this length.
    static QString countText(qsizetype length, int maxLength);

signals:
    // Several characters at once would have made the text this long.
    void refused(int length) const;

private:
    int m_maxLength;
    qsizetype m_lengthBefore = 0;
};
