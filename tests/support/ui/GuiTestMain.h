#pragma once

#include "widgets/ProgramLook.h"

#include <QApplication>
#include <QtTest>

// The main of a window test: the application gets the fonts and translations the program
// sets at start-up, so that tests lay out and measure what users see.
#define QUADRIX_GUI_TEST_MAIN(TestObject)                                                          \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        applyProgramLook(app);                                                                     \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
