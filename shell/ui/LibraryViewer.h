#pragma once

#include <QMainWindow>

class QTextEdit;

// The library viewer: shows one of the three library texts, found beside the program or in
// its installed data folder, and prints it.
class TForm2 : public QMainWindow {
    Q_OBJECT
public:
    TForm2();

    // Folder from which the library texts are looked for in place of the program's own;
    // empty (the default) means the program's own folder.
    void setProgramDirectory(const QString& directory);

    void AbordagemGrafoEOUIrrestrito1Click();
    void AbordagemGrafoEOU1Click();
    void AlgoritmodeWang1Click();
    void Imprimir1Click();
    void Fechar1Click();

private:
    void createMenu();
    void createControls();
    void showLibrary(const QString& fileName);
    bool loadInto(const QString& path);

    QTextEdit* m_richEdit = nullptr;
    QString m_programDirectory;
    bool m_libraryLoaded = false;
};
