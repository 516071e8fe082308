#pragma once
// What the queue-row and preview tests share: the scroll box the rows are built in.
#include "app/Unit1.h"
#include "skin/controls/TskSkinScrollBox.h"

namespace omtest {

// The window's own queue box when its stored form has one, else a new one filling the window; the
// window gets the size asked for.
inline TskSkinScrollBox* QueueBox(TForm1& Form, int Width, int Height)
{
    Form.SetBounds(0, 0, Width, Height);
    if (auto* box = dynamic_cast<TskSkinScrollBox*>(Form.FindComponent("skSkinScrollpanel1")))
        return box;
    auto* box = new TskSkinScrollBox(&Form);
    box->SetName("skSkinScrollpanel1");
    box->SetBounds(0, 0, Width, Height);
    box->SetAlign(alClient);
    box->SetParent(&Form);
    return box;
}

} // namespace omtest
