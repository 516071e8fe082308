#pragma once
// The exception classes every layer raises and catches. Messages are the texts users see in the
// error box, so they are kept in the component library's wording.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string msg);
    const std::string& Message() const { return FMessage; }
    void SetMessage(std::string msg) { FMessage = std::move(msg); }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

class EConvertError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidArgument : public Exception { using Exception::Exception; };
class EInvalidPointer : public Exception { using Exception::Exception; };
// Raised by Abort(): the message loop swallows it silently, it only unwinds.
class EAbort : public Exception { using Exception::Exception; };
class EMathError : public Exception { using Exception::Exception; };
// Round/Trunc of NaN, infinity or a value outside the 64-bit range.
class EInvalidOp : public EMathError { using EMathError::EMathError; };

// An operating-system call failed; ErrorCode is the errno value.
class EOSError : public Exception {
public:
    EOSError(std::string msg, int code) : Exception(std::move(msg)), ErrorCode(code) {}
    int ErrorCode = 0;
};

class EStreamError : public Exception { using Exception::Exception; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
// A TIniFile could not write its file back.
class EIniFileException : public Exception { using Exception::Exception; };

// The text of an errno value ("No such file or directory").
std::string SysErrorMessage(int code);

// Raises EOSError for the current errno; the message names the call's subject (a path, usually):
// "<context>: System Error. Code: 2. No such file or directory".
[[noreturn]] void RaiseLastOSError(const std::string& context = "");
// The same for a known error code.
[[noreturn]] void RaiseOSError(int code, const std::string& context = "");

// Leaves the current operation quietly (raises EAbort "Operation aborted").
[[noreturn]] void Abort();
