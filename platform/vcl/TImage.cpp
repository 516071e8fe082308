#include "platform/vcl/TImage.h"

#include <algorithm>

#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 105;
    FHeight = 105;
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { delete FPicture; }

void TImage::PictureChanged()
{
    if (FPicture->Graphic() != nullptr) FPicture->Graphic()->SetTransparent(FTransparent);
    AdjustSize();
    Invalidate();
}

void TImage::SetCenter(bool Value)
{
    if (Value == FCenter) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    if (Value == FStretch) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value)
{
    if (Value == FProportional) return;
    FProportional = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    PictureChanged();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (FPicture->Width() <= 0 || FPicture->Height() <= 0) return false;
    NewWidth = FPicture->Width();
    NewHeight = FPicture->Height();
    return true;
}

TRect TImage::DestRect() const
{
    int w = FPicture->Width(), h = FPicture->Height();
    const int cw = FWidth, ch = FHeight;
    if (w <= 0 || h <= 0) return {};
    // Proportional shrinks a large picture to fit (and, with Stretch, enlarges a small one).
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional) {
            const double scale = std::min(static_cast<double>(cw) / w, static_cast<double>(ch) / h);
            w = std::max(1, static_cast<int>(w * scale));
            h = std::max(1, static_cast<int>(h * scale));
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    if (FPicture->Graphic() == nullptr || FPicture->Graphic()->Empty()) return;
    Canvas()->StretchDraw(DestRect(), FPicture->Graphic());
}

void RegisterImageClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterClass<TPicture>("TPicture");
        RegisterClass<TImage, TGraphicControl>("TImage")
            .Prop("Center", &TImage::Center, &TImage::SetCenter, false)
            .Prop("Picture", &TImage::Picture)
            .Prop("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
            .Prop("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
            .Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent, false)
            .Ignored({"IncrementalDisplay", "OnProgress"});
        return true;
    }();
    (void)done;
}
