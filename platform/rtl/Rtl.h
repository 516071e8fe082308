#pragma once
// The whole runtime library in one include.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TList.h"
#include "platform/rtl/TStream.h"
#include "platform/rtl/TStringList.h"
#include "platform/rtl/Types.h"
