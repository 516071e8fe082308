#pragma once
// A window's picture in memory the X server shares with us (the shared-memory extension). The window
// layer paints into it, and showing the picture is one request per changed area, after which the server
// copies from where we painted: no copy of ours, and none through the connection.
#include <memory>
#include <vector>

#include "platform/gfx/TSurface.h"
#include "platform/rtl/Types.h"

typedef struct _XDisplay Display;
typedef struct _XGC* GC;
struct _XImage;

class TXSharedPicture : public TPixelStore {
public:
    // A picture of Width x Height for windows like XWindow; null when the display shares no memory (one
    // on another machine) or its windows do not take our pixels as they are (a depth other than 24 bits).
    static std::shared_ptr<TXSharedPicture> Make(Display* D, unsigned long XWindow, int Width, int Height);
    // Pictures still alive when their connection closes let go of the server's side there and then.
    static void DisplayClosing(Display* D);
    ~TXSharedPicture() override;
    TXSharedPicture(const TXSharedPicture&) = delete;
    TXSharedPicture& operator=(const TXSharedPicture&) = delete;

    TPixel* Pixels() override { return FPixels; }
    Display* XDisplay() const { return FDisplay; }
    // Shows `Areas` (window coordinates) on XWindow through Gc, and returns once the server has read
    // them: only then may the next paint write there again.
    void Put(unsigned long XWindow, GC Gc, const std::vector<TRect>& Areas) const;

private:
    struct TSegment;
    TXSharedPicture();
    void Detach();

    Display* FDisplay = nullptr;   // null once the connection has closed
    _XImage* FImage = nullptr;
    std::unique_ptr<TSegment> FSegment;
    TPixel* FPixels = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    bool FAttached = false;
};
