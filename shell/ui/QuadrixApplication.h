#pragma once

#include <QApplication>

// The application object: an exception escaping a handler is reported and the loop goes on.
class QuadrixApplication : public QApplication {
    Q_OBJECT
public:
    QuadrixApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
