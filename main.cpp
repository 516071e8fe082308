#include "app/Startup.h"

// No arguments are read: everything the converter needs comes from its windows and its settings file.
int main()
{
    return RunProgram();
}
