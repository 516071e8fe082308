#include <cstdio>

// The converter's main window is not built yet; until it is, the program only says what it is.
int main()
{
    std::puts("Ombrix Free: a video converter for DVDs and video files (main window not built yet).");
    return 0;
}
