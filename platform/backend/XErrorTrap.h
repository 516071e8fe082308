#pragma once
// The program's X error handler. The server reports an error of a request asynchronously, often for a
// window another client took down a moment ago (a player drawing into a window of ours, a tray that
// ended): an error is logged and the program goes on. Where an error is expected, WithoutXErrors counts
// the errors of one connection instead of logging them.
#include <functional>

typedef struct _XDisplay Display;

// Makes the handler the process's own for good (the display library's default would end the program).
void InstallXErrorHandler();

// Runs Call with the errors of connection D counted, not logged; true when the server raised none.
// Errors of other connections meanwhile are logged as always.
bool WithoutXErrors(Display* D, const std::function<void()>& Call);
