#pragma once
// The part of an images menu that a menu button uses. The images menu itself lives with the other menus
// one layer up; a button below knows it only through this.
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

class TCustomImageList;

// What a menu button asks of an images menu.
class TskTrackImagesMenu {
public:
    virtual ~TskTrackImagesMenu() = default;
    // Opens the menu below the screen rectangle R; OnClose runs once when it closes. False when nothing
    // opened.
    virtual bool TrackPopup(const TRect& R, TNotifyEvent OnClose) = 0;
    // The chosen entry's list, image and caption; false when nothing is chosen.
    virtual bool TrackSelected(TCustomImageList*& Images, int& ImageIndex, std::string& Caption) const = 0;
};
