#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"

#include <QMainWindow>

#include <string>
#include <vector>

class PatternView;

// The window "Quadrix - Padrão de Corte": the drawing of a run's best pattern, exported as an
// image or printed.
class PatternWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PatternWindow(QWidget* parent = nullptr);

    void setPattern(const pattern::CuttingPattern& pattern, const problem::TInstance& instance,
                    const std::vector<std::string>& runLines);

    void ExportarImagem1Click();
    void Imprimir1Click();
    void Fechar1Click();

private:
    PatternView* m_view;
};
