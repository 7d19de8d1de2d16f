#pragma once

#include "problem/Instance.h"

#include <QMainWindow>

class QLineEdit;
class QPushButton;
class ReportView;
class StringGrid;

// The input-file editor: a problem is typed into four fields and a piece grid, or opened
// from a BI input file, and saved as a BI input file.
class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    TForm3();

    void Novo1Click();
    void Abrir1Click();
    void Fechar1Click();
    // "OK": confirms the four fields and lays out the grid.
    void Button1Click();
    // "Atualizar": unlocks the fields and the grid for changes.
    void Button3Click();
    // "Salvar": checks the grid and writes the file.
    void Button2Click();

private:
    void createMenu();
    void createControls();
    QLineEdit* addField(const QString& labelName, const QString& caption, const QString& name,
                        int top);
    QPushButton* addButton(const QString& name, const QString& caption, int top);
    void setFieldsReadOnly(bool readOnly);
    void layOutGrid();
    bool collectPieces();
    bool descriptionIsSavable();
    void descriptionRefused(int length);
    void save(const QString& path);

    problem::TInstance m_instance;
    bool m_newFileMode = false;

    QLineEdit* m_description = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_length = nullptr;
    QLineEdit* m_count = nullptr;
    StringGrid* m_grid = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_save = nullptr;
    ReportView* m_memo = nullptr;
};
