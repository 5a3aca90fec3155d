// GoogleTest with the toolkit's application object, for the tests of the window program. The tests
// run on the offscreen platform unless told otherwise, also when CTest lists them.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int toolkitArgc = 1;
    char name[] = "test_app_window";
    char* toolkitArgv[] = {name, nullptr};
    QApplication toolkit(toolkitArgc, toolkitArgv);
    return RUN_ALL_TESTS();
}
