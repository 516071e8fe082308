#pragma once
// The extension template laid over the platform list box.
#include "platform/vcl/TCustomListBox.h"
#include "process/OxExControls.h"

using TOxExCustomListBox = TOxExControl<TCustomListBox>;
