#include "skin/controls/SkinButtonLook.h"

#include "skin/data/TskEffectBmp.h"

void MorphByKind(TskEffectBmp& From, const TskEffectBmp& To, int Kind, double K)
{
    switch (Kind) {
    case 1: From.MorphGrad(To, K); break;
    case 2: From.MorphLeftGrad(To, K); break;
    case 3: From.MorphRightGrad(To, K); break;
    case 4: From.MorphLeftSlide(To, K); break;
    case 5: From.MorphRightSlide(To, K); break;
    case 6: From.MorphPush(To, K); break;
    default: From.Morph(To, K); break;
    }
}

void FillFramed(TCanvas* C, const TRect& R, TColor Frame, TColor Fill)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Fill);
    C->FillRect(R);
    C->Brush()->SetColor(Frame);
    C->FrameRect(R);
}
