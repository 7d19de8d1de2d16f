#pragma once

#include <QGroupBox>

class QButtonGroup;

// A titled group of exclusive choices addressed by item index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);

signals:
    void clicked();

private:
    QButtonGroup* m_buttons;
};
