#include "platform/rtl/Exceptions.h"

#include <cerrno>
#include <cstring>

Exception::Exception(std::string msg) : FMessage(std::move(msg)) {}

std::string SysErrorMessage(int code)
{
    // strerror_r in its GNU form may return a static string instead of filling buf.
    char buf[256] = {};
    const char* text = strerror_r(code, buf, sizeof buf);
    return text ? std::string(text) : std::string();
}

void RaiseOSError(int code, const std::string& context)
{
    std::string msg = "System Error. Code: " + std::to_string(code) + ". " + SysErrorMessage(code);
    if (!context.empty()) {
        msg = context + ": " + msg;
    }
    throw EOSError(std::move(msg), code);
}

void RaiseLastOSError(const std::string& context)
{
    RaiseOSError(errno, context);
}

void Abort()
{
    throw EAbort("Operation aborted");
}
