#pragma once

#include <QApplication>
#include <QTest>

// Every test program runs with a HOME and XDG folders of its own, set before
// the application object exists, so nothing reads or writes the user's.
void prepareTestEnvironment();
void useHome(const QString &home);

#define VELMORA_TEST_MAIN(TestClass)                                                                                             \
    int main(int argc, char **argv)                                                                                              \
    {                                                                                                                            \
        prepareTestEnvironment();                                                                                                \
        QApplication app(argc, argv);                                                                                            \
        TestClass test;                                                                                                          \
        return QTest::qExec(&test, argc, argv);                                                                                  \
    }

// The test classes of one area run as one program, in the order they were
// linked, each with a HOME of its own: a class says VELMORA_SUITE_CASE, or
// VELMORA_FILE_SUITE_CASE when it is about the store file and has nothing to
// check on the server, and suitemain.cpp runs them all.
namespace testsuite {

using Case = int (*)(int argc, char **argv);
bool add(Case run, bool fileOnly = false);
int runAll(int argc, char **argv);

template<typename Test>
int run(int argc, char **argv)
{
    Test test;
    return QTest::qExec(&test, argc, argv);
}

}

#define VELMORA_SUITE_CASE(TestClass) [[maybe_unused]] static const bool registered = testsuite::add(&testsuite::run<TestClass>);
#define VELMORA_FILE_SUITE_CASE(TestClass)                                                                                       \
    [[maybe_unused]] static const bool registered = testsuite::add(&testsuite::run<TestClass>, true);
