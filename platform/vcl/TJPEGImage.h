#pragma once
// A JPEG picture: the file's bytes, decoded into a bitmap when it is first asked for. Drawn smaller than it
// is (a thumbnail in a row of a long list), it keeps only the picture at the size drawn.
#include <memory>
#include <string>

#include "platform/vcl/TBitmap.h"

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // A JPEG cannot be resized in place; these are accepted and ignored, as the original does.
    void SetWidth(int) override {}
    void SetHeight(int) override {}

    // Assigning a bitmap compresses it (quality 90); AssignTo a bitmap decodes.
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    // Reads from the stream's position to its end (a JPEG file has no trustworthy length).
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    void DefineProperties(TFiler* Filer) override;
    // Decodes now; raises EInvalidGraphic for a broken file.
    void DIBNeeded();
    TBitmap* Bitmap();

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::unique_ptr<TBitmap> Decoded() const;

    std::string FData;
    // The picture's size, known from loading without keeping it decoded.
    int FWidth = 0;
    int FHeight = 0;
    mutable std::unique_ptr<TBitmap> FBitmap;
    // The picture as last drawn at another size than its own (see Draw).
    std::unique_ptr<TBitmap> FShown;
    int FQuality = 90;
};
