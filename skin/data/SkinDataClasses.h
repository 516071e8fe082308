#pragma once
// Registration of the skin data classes: the skin component, the stored skins, the skin list and the
// texts with the form reader, and every entry kind with the kind registry. The program's start-up calls
// it (through the layers above) before any form is read or skin loaded; no unit registers itself.
void RegisterSkinDataClasses();
