#pragma once

#include <QApplication>
#include <QTest>

// Every test program runs with a HOME and XDG folders of its own, set before
// the application object exists, so nothing reads or writes the user's.
void prepareTestEnvironment();

#define VELMORA_TEST_MAIN(TestClass)                                                                                             \
    int main(int argc, char **argv)                                                                                              \
    {                                                                                                                            \
        prepareTestEnvironment();                                                                                                \
        QApplication app(argc, argv);                                                                                            \
        TestClass test;                                                                                                          \
        return QTest::qExec(&test, argc, argv);                                                                                  \
    }
