#include "skin/controls/TskSkinControl.h"
#include "tests/support/ClassesTestMain.h"

int main(int argc, char** argv) { return RunTestsWithClasses(argc, argv, RegisterSkinControlClasses); }
