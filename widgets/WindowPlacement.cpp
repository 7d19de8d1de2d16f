#include "widgets/WindowPlacement.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

void centreOn(QWidget& window, const QScreen& screen)
{
    const QRect area = screen.availableGeometry();
    const QRect centred =
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.frameGeometry().size(), area);
    window.move(std::max(centred.left(), area.left()), std::max(centred.top(), area.top()));
}

// Watches a window for its first show, places it, and goes.
class FirstShowCentring : public QObject {
public:
    FirstShowCentring(QWidget* window, const QWidget* anchor) : QObject(window), m_anchor(anchor)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (const QScreen* screen = m_anchor ? m_anchor->screen() : window->screen())
            centreOn(*window, *screen);
        window->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QPointer<const QWidget> m_anchor;
};

} // namespace

void centreWhenFirstShown(QWidget* window, const QWidget* anchor)
{
    new FirstShowCentring(window, anchor);
}
