#pragma once
// A picture on the X clipboard: a small window of ours owns the CLIPBOARD selection and hands the
// picture to whoever asks, as a BMP file ("image/bmp"). The requests come on the display library's
// own connection; the backend passes each X event it reads to Handle.
#include <memory>
#include <vector>

#include "platform/gfx/TSurface.h"

struct _XDisplay;
union _XEvent;

class TXPictureSelection {
public:
    explicit TXPictureSelection(_XDisplay* D) : FDisplay(D) {}
    ~TXPictureSelection();
    TXPictureSelection(const TXPictureSelection&) = delete;
    TXPictureSelection& operator=(const TXPictureSelection&) = delete;

    // Takes the clipboard with Picture.
    void Offer(const TSurface& Picture);
    // The picture while the clipboard is still ours; null once another owner took it (asked of the
    // server: the loss may not have been read off the connection yet).
    const TSurface* Picture() const;
    // Answers a request for the clipboard, or forgets the picture when the clipboard went to
    // another owner. False when the event is not about our clipboard.
    bool Handle(const _XEvent& E);

private:
    _XDisplay* FDisplay;
    unsigned long FWindow = 0;
    std::unique_ptr<TSurface> FPicture;
    std::vector<std::uint8_t> FBmp;
};
