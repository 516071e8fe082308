#pragma once
// A transparent text label that takes its font and colour from the skin entry "stdlabel" and can
// shorten its text with an ellipsis at the end or in the middle of a path. Dialogs use it for their texts.
#include <string>

#include "skin/controls/SkinLink.h"

#include "platform/vcl/TCustomLabel.h"

class TskSkinData;

enum TskEllipsType { sketNone, sketEndEllips, sketPathEllips };

class TskSkinStdLabel : public TCustomLabel {
public:
    explicit TskSkinStdLabel(TComponent* AOwner);
    ~TskSkinStdLabel() override;

    TskSkinData* SkinData() const { return FSkinLink.Data(); }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinLink.Name(); }
    void SetSkinDataName(const std::string& Value) { FSkinLink.SetName(Value); }
    TFont* DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool UseSkinColor() const { return FUseSkinColor; }
    void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }
    TskEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TskEllipsType Value);

    int SkinIndex() const { return FSkinLink.Index(); }
    // Looks the entry up again, resizes to the text when AutoSize is on and repaints.
    void RefreshStdLabelSkin();

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // Draws the caption into R with Flags on C, or measures it into R with DT_CALCRECT.
    void DoDrawText(TCanvas* C, TRect& R, UINT Flags);

private:
    void FindEntry();
    void SelectTextFont(TCanvas* C);

    TskSkinLink FSkinLink{this, "stdlabel"};
    TFont* FDefaultFont;
    bool FUseSkinFont = true;
    bool FUseSkinColor = true;
    TskEllipsType FEllipsType = sketNone;
    std::string FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 12;
    TColor FFontColor = 0;
};
