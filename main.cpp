#include <cstdlib>

#include "app/Startup.h"
#include "platform/rtl/Strings.h"

// No arguments are read: everything the converter needs comes from its windows and its settings file.
int main()
{
    TStartOptions options;
    // The end-to-end tests start the program dozens of times; they shorten the splash's wait with
    // OMBRIX_SPLASH_MS (milliseconds). Nobody else sets it, and a value that is no number is ignored.
    if (const char* ms = std::getenv("OMBRIX_SPLASH_MS")) {
        int value = 0;
        if (TryStrToInt(ms, value) && value >= 0)
            options.SplashMs = value;
    }
    return RunProgram(options);
}
