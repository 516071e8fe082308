#pragma once
// The base of every picture kind a canvas can draw and a TPicture can hold.
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // Draws the whole picture into Rect of the canvas, scaled when the sizes differ.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    virtual void LoadFromStream(TStream& Stream) = 0;
    virtual void SaveToStream(TStream& Stream) = 0;
    // EFOpenError/EFCreateError naming the file, or the format's own error.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};
