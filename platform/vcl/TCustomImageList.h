#pragma once
// A list of small pictures of one size, drawn by index, with a transparent colour per picture and
// the classic disabled (embossed) look.
#include <memory>
#include <vector>

#include "platform/vcl/TBitmap.h"

class TIcon;

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;

    int Count() const { return static_cast<int>(FImages.size()); }
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    // The colour under the pictures; clNone draws them transparently.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value) { FMasked = Value; }

    // Adds the picture cut into Width-wide cells (a strip adds several); returns the first index.
    int Add(TBitmap* Image, TBitmap* Mask);
    // The same, with MaskColor (clDefault: the bottom-left pixel) as the transparent colour.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();
    // Draws picture Index at (X, Y); a disabled picture is embossed in the 3D colours.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // Picture Index as an icon: its transparent colour (when the list is Masked) left out.
    void GetIcon(int Index, TIcon* Image);
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnChange;

private:
    struct TImage {
        std::unique_ptr<TBitmap> Picture;
        bool HasKey = false;
        TColor Key = clNone;
    };
    void Changed();
    std::vector<TImage> FImages;
    int FWidth = 16;
    int FHeight = 16;
    TColor FBkColor = clNone;
    bool FMasked = true;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
