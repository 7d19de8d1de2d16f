#pragma once

#include <QDialog>

class QLabel;

// The common layout of the three About boxes: product, module line, credits, "OK".
class AboutBoxBase : public QDialog {
    Q_OBJECT
public:
    QString moduleLine() const;

protected:
    AboutBoxBase(const QString& moduleLine, int clientWidth);

private:
    QLabel* m_version;
};

// Opened from the AND/OR run window.
class TAboutBox : public AboutBoxBase {
    Q_OBJECT
public:
    TAboutBox();
};

// Opened from the Wang run window.
class TAboutBox1 : public AboutBoxBase {
    Q_OBJECT
public:
    TAboutBox1();
};

// Opened from the main window.
class TAboutBox2 : public AboutBoxBase {
    Q_OBJECT
public:
    TAboutBox2();
};
