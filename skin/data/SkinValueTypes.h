#pragma once
// The component library's value types that skin values are read into: text alignment (TAlignment) and
// font styles (TFontStyles). This header is the one place the skin data takes them from.
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TControl.h"
