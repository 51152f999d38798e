#include "testenvironment.h"

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    return testsuite::runAll(argc, argv);
}
