#include "app/TOMR_Splash.h"

#include "app/AppClasses.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TReader.h"

namespace {
constexpr int SplashWidth = 509;
constexpr int SplashHeight = 99;
} // namespace

TOMR_Splash::TOMR_Splash(TComponent* AOwner) : TForm(AOwner)
{
    InitInheritedComponent(this, "TOMR_Splash");
    Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
    if (Image1)
        DrawSplashPicture(*Image1);
}

namespace {

void PaintSplashPicture(TBitmap& picture)
{
    TCanvas* c = picture.Canvas();
    // A band that darkens from top to bottom, drawn line by line.
    for (int y = 0; y < SplashHeight; ++y) {
        const int shade = 96 - y * 56 / SplashHeight;
        c->Brush()->SetColor(TColor((shade * 2 / 3) | ((shade * 3 / 4) << 8) | ((shade + 40) << 16)));
        c->FillRect(Rect(0, y, SplashWidth, y + 1));
    }
    // A play mark on the left, in the colour of the Start button.
    c->Pen()->SetColor(TColor(0x0040B040));
    c->Brush()->SetColor(TColor(0x0040B040));
    c->Polygon({TPoint{24, 24}, TPoint{70, 49}, TPoint{24, 74}});
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName("DejaVu Sans");
    c->Font()->SetColor(clWhite);
    c->Font()->SetHeight(-30);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->TextOut(92, 16, "Ombrix Free");
    c->Font()->SetHeight(-13);
    c->Font()->SetStyle(TFontStyles{});
    c->Font()->SetColor(TColor(0x00E0D0C0));
    c->TextOut(94, 58, "DVDs and videos for your phone, player and handheld");
    c->Pen()->SetColor(TColor(0x00A08060));
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, SplashWidth, SplashHeight);
}

} // namespace

void DrawSplashPicture(TImage& Image)
{
    TBitmap picture(SplashWidth, SplashHeight);
    PaintSplashPicture(picture);
    Image.Picture()->SetBitmap(&picture);
}

TSurface ProgramIconPicture(int Side)
{
    TBitmap splash(SplashWidth, SplashHeight);
    PaintSplashPicture(splash);
    // The play mark on its band: the square of the splash around the mark, left of the name.
    TBitmap square(Side, Side);
    square.Canvas()->CopyRect(Rect(0, 0, Side, Side), splash.Canvas(), Rect(4, 6, 90, 92));
    TIcon icon;
    icon.SetOpaquePicture(*square.Handle(), clNone);
    return icon.Picture();
}
