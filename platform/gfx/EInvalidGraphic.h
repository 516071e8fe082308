#pragma once
#include <string>

#include "platform/rtl/Exceptions.h"

// A picture file that cannot be read: truncated, with sizes or indexes that do not fit, or of a kind not
// handled. The message says what is wrong.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
