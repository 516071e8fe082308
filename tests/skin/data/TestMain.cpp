#include "skin/data/SkinDataClasses.h"
#include "tests/support/ClassesTestMain.h"

int main(int argc, char** argv) { return RunTestsWithClasses(argc, argv, RegisterSkinDataClasses); }
