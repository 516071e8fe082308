#include "platform/vcl/VclClasses.h"
#include "tests/support/ClassesTestMain.h"

int main(int argc, char** argv) { return RunTestsWithClasses(argc, argv, RegisterVclClasses); }
