#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"

#include <QWidget>

#include <string>
#include <vector>

// The drawing of one cutting pattern, laid out anew for the widget's size.
class PatternView : public QWidget {
    Q_OBJECT
public:
    explicit PatternView(QWidget* parent = nullptr);

    void setPattern(const pattern::CuttingPattern& pattern, const problem::TInstance& instance,
                    const std::vector<std::string>& runLines);
    const pattern::CuttingPattern& pattern() const { return m_pattern; }
    const problem::TInstance& instance() const { return m_instance; }
    const std::vector<std::string>& runLines() const { return m_runLines; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    pattern::CuttingPattern m_pattern;
    problem::TInstance m_instance;
    std::vector<std::string> m_runLines;
};
