#pragma once
// The extension template laid over the platform panel.
#include "platform/vcl/TCustomPanel.h"
#include "process/OxExControls.h"

using TOxExCustomPanel = TOxExControl<TCustomPanel>;
