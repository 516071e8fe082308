#pragma once
// A progress bar with an optional centred text (the progress text and/or the percent), painted from the
// skin entry "gauge" ("vgauge" upright) or as a plain framed bar. The queue rows show their progress in
// it, and the main window its status line.
#include <functional>
#include <string>

#include "skin/controls/TskSkinControl.h"

using TskGaugePaintEvent = std::function<void(TObject* Sender, TCanvas* Cnvs, TRect AProgressArea, TRect AProgressRect)>;

class TskSkinGauge : public TskSkinCustomControl {
public:
    explicit TskSkinGauge(TComponent* AOwner);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int Value() const { return FValue; }
    void SetValue(int Value);
    const std::string& ProgressText() const { return FProgressText; }
    void SetProgressText(const std::string& Value);
    bool ShowProgressText() const { return FShowProgressText; }
    void SetShowProgressText(bool Value);
    bool ShowPercent() const { return FShowPercent; }
    void SetShowPercent(bool Value);
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool TextAlphaBlend() const { return FTextAlphaBlend; }
    void SetTextAlphaBlend(bool Value);
    BYTE TextAlphaBlendValue() const { return FTextAlphaBlendValue; }
    void SetTextAlphaBlendValue(BYTE Value);
    int ProgressAnimationPause() const { return FProgressAnimationPause; }
    void SetProgressAnimationPause(int Value);
    TskGaugePaintEvent OnGaugePaint;

    // The filled part of R for the current value; the fraction is held within 0..1 whatever the
    // limits are (a maximum below the minimum gives an empty bar, not a negative one).
    TRect ProgressRect(const TRect& R) const;
    // The percent shown: 0 to 100.
    int Percent() const;
    // The text the gauge shows ("" for none).
    std::string GaugeText() const;

    void FindSkinObject() override;
    void ComputeSkinSize(int& AWidth, int& AHeight) override;

protected:
    void DrawSkinImage(TBitmap* B) override;
    void DrawDefaultImage(TBitmap* B) override;
    void Paint() override;
    void DrawProgressText(TCanvas* C);

private:
    double Fraction() const;
    void DrawProgressPiece(TBitmap* B, const TRect& PR);

    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 50;
    std::string FProgressText;
    bool FShowProgressText = false;
    bool FShowPercent = false;
    bool FVertical = false;
    bool FUseSkinSize = true;
    bool FTextAlphaBlend = false;
    BYTE FTextAlphaBlendValue = 200;
    int FProgressAnimationPause = 1000;

    // Copied from the entry.
    TRect FProgressArea;
    TRect FNewProgressArea;
    TRect FProgressPiece;
    int FBeginOffset = 0;
    int FEndOffset = 0;
    std::string FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    bool FProgressTransparent = false;
    TColor FProgressTransparentColor = 0;
    bool FProgressStretch = false;
};
