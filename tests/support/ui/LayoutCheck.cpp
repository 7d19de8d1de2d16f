#include "support/ui/LayoutCheck.h"

#include "widgets/ElidedLabel.h"
#include "widgets/StringGrid.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <cmath>

namespace {

QString nameOf(const QWidget& widget)
{
    const QString name = widget.objectName();
    return name.isEmpty() ? QString::fromLatin1(widget.metaObject()->className()) : name;
}

QString describe(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The room a text takes in a font, rounded up: what is drawn never exceeds it.
QSize textSize(const QFont& font, const QString& text)
{
    const QSizeF size = QFontMetricsF(font).size(0, text);
    return {static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height()))};
}

class LayoutWalker {
public:
    explicit LayoutWalker(const QWidget& window) : m_window(window) {}

    QStringList run()
    {
        visitContainer(m_window);
        return m_faults;
    }

private:
    void fault(const QWidget& widget, const QString& what)
    {
        m_faults << QStringLiteral("%1/%2: %3").arg(nameOf(m_window), nameOf(widget), what);
    }

    void checkTextFits(const QWidget& widget, const QString& text, const QRect& room)
    {
        if (text.isEmpty())
            return;
        const QSize need = textSize(widget.font(), text);
        if (need.width() > room.width() || need.height() > room.height())
            fault(widget, QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
                              .arg(text)
                              .arg(need.width())
                              .arg(need.height())
                              .arg(room.width())
                              .arg(room.height()));
    }

    static bool drawsNothing(const QWidget& widget)
    {
        const auto* label = qobject_cast<const QLabel*>(&widget);
        return label && label->text().isEmpty() && label->pixmap().isNull();
    }

    // Controls are checked whole; containers are walked into.
    static bool isControl(const QWidget& widget)
    {
        return qobject_cast<const QLabel*>(&widget) ||
               qobject_cast<const QAbstractButton*>(&widget) ||
               qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
               qobject_cast<const QAbstractScrollArea*>(&widget) ||
               qobject_cast<const QMenuBar*>(&widget);
    }

    void visitContainer(const QWidget& container)
    {
        QList<const QWidget*> shown;
        for (const QObject* child : container.children()) {
            const auto* widget = qobject_cast<const QWidget*>(child);
            if (!widget || widget->isWindow() || !widget->isVisibleTo(&m_window))
                continue;
            shown << widget;
            checkInside(container, *widget);
            if (isControl(*widget)) {
                checkControl(*widget);
                continue;
            }
            if (const auto* box = qobject_cast<const QGroupBox*>(widget))
                checkGroupTitle(*box);
            visitContainer(*widget);
        }
        checkOverlaps(shown);
    }

    void checkInside(const QWidget& parent, const QWidget& child)
    {
        QRect room = parent.rect();
        if (const auto* box = qobject_cast<const QGroupBox*>(&parent)) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            room = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                QStyle::SC_GroupBoxContents, box);
        }
        if (!room.contains(child.geometry()) && !drawsNothing(child))
            fault(child, QStringLiteral("at %1 reaches out of %2 (%3)")
                             .arg(describe(child.geometry()), nameOf(parent), describe(room)));
    }

    void checkOverlaps(const QList<const QWidget*>& shown)
    {
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                const QWidget& a = *shown[i];
                const QWidget& b = *shown[j];
                if (!drawsNothing(a) && !drawsNothing(b) && a.geometry().intersects(b.geometry()))
                    fault(a, QStringLiteral("at %1 overlaps %2 at %3")
                                 .arg(describe(a.geometry()), nameOf(b), describe(b.geometry())));
            }
        }
    }

    void checkControl(const QWidget& widget)
    {
        if (const auto* label = qobject_cast<const ElidedLabel*>(&widget))
            checkTextFits(*label, label->shownText(), label->contentsRect());
        else if (const auto* label = qobject_cast<const QLabel*>(&widget))
            checkLabel(*label);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
            checkButton(*button);
        else if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
            checkLineEdit(*edit);
        else if (const auto* combo = qobject_cast<const QComboBox*>(&widget))
            checkComboBox(*combo);
        else if (const auto* grid = qobject_cast<const StringGrid*>(&widget))
            checkGridHeadings(*grid);
    }

    void checkLabel(const QLabel& label)
    {
        const int inset = std::max(label.margin(), 0) + std::max(label.indent(), 0);
        checkTextFits(label, label.text(), label.contentsRect().adjusted(inset, 0, -inset, 0));
    }

    void checkButton(const QAbstractButton& button)
    {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QRadioButton*>(&button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<const QCheckBox*>(&button))
            contents = QStyle::SE_CheckBoxContents;
        checkTextFits(button, button.text(),
                      button.style()->subElementRect(contents, &option, &button));
    }

    // The text area of a field: its contents less the margins the field keeps around the text.
    void checkLineEdit(const QLineEdit& edit)
    {
        QStyleOptionFrame option;
        option.initFrom(&edit);
        option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, &edit)
                                           : 0;
        QRect room = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
        room = room.marginsRemoved(edit.textMargins()).adjusted(2, 0, -2, 0);
        const QString shown =
            edit.displayText().isEmpty() ? edit.placeholderText() : edit.displayText();
        checkTextFits(edit, shown, room);
    }

    void checkComboBox(const QComboBox& combo)
    {
        if (const QLineEdit* edit = combo.lineEdit())
            checkLineEdit(*edit);
        else
            checkTextFits(combo, combo.currentText(), combo.rect());
    }

    void checkGroupTitle(const QGroupBox& box)
    {
        QStyleOptionGroupBox option;
        option.initFrom(&box);
        option.text = box.title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = box.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                        QStyle::SC_GroupBoxLabel, &box);
        const QSize need = textSize(box.font(), box.title());
        if (!box.rect().contains(label) || label.width() < need.width())
            fault(box, QStringLiteral("title \"%1\" at %2 does not fit %3")
                           .arg(box.title(), describe(label), describe(box.rect())));
    }

    // Headings are drawn inside the cell less the grid line and the item view's text margins;
    // a longer one would be cut with "…". All columns show without scrolling sideways.
    void checkGridHeadings(const StringGrid& grid)
    {
        const int margin =
            grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
        const int line = grid.showGrid() ? 1 : 0;
        int total = 0;
        for (int column = 0; column < grid.columnCount(); ++column) {
            const int width = grid.columnWidth(column);
            total += width;
            const QString heading = grid.cell(column, 0);
            const int need = textSize(grid.font(), heading).width() + 2 * margin + line;
            if (need > width)
                fault(grid, QStringLiteral("heading \"%1\" needs %2, its column has %3")
                                .arg(heading)
                                .arg(need)
                                .arg(width));
        }
        if (total > grid.viewport()->width())
            fault(grid, QStringLiteral("columns of %1 in a view of %2")
                            .arg(total)
                            .arg(grid.viewport()->width()));
    }

    const QWidget& m_window;
    QStringList m_faults;
};

} // namespace

QStringList layoutFaults(const QWidget& window)
{
    return LayoutWalker(window).run();
}
