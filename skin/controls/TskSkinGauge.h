#pragma once
// A progress bar with an optional centred text (the progress text and/or the percent), painted from the
// skin entry "gauge" ("vgauge" upright) or as a plain framed bar. The queue rows show their progress in
// it, and the main window its status line. The progress part can play an animation strip from the entry
// (frames on a timer, then a pause) once someone starts it; nothing starts it by itself.
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/TskSkinControl.h"

class TTimer;

using TskGaugePaintEvent = std::function<void(TObject* Sender, TCanvas* Cnvs, TRect AProgressArea, TRect AProgressRect)>;

class TskSkinGauge : public TskSkinCustomControl {
public:
    explicit TskSkinGauge(TComponent* AOwner);
    ~TskSkinGauge() override;

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
    // Writes that text centred on C (a picture of the gauge's size) in the entry's font or DefaultFont,
    // in the character set of the skin's UI strings when the skin has them.
    void DrawProgressText(TCanvas* C);

    void FindSkinObject() override;
    void ComputeSkinSize(int& AWidth, int& AHeight) override;
    // Stops a running animation, refreshes, and starts it again for the new entry.
    void RefreshSkin() override;

    // Plays the entry's animation strip over the progress part: one frame per
    // "progressanimationtimerinterval", then a pause of ProgressAnimationPause ms, round and round.
    // Nothing happens without a skin entry that has a strip.
    void StartProgressAnimation();
    void StopProgressAnimation();
    bool ProgressAnimating() const { return FAnimating; }
    // The frame shown now: 1 to the strip's frame count, 0 for the plain progress piece.
    int ProgressAnimationFrame() const { return FAnimationFrame; }

protected:
    void DrawSkinImage(TBitmap* B) override;
    void DrawDefaultImage(TBitmap* B) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    double Fraction() const;
    void DrawProgressPiece(TBitmap* B, const TRect& PR);
    // The piece that fills the middle of the bar (the animation frame shown, else "progressrect"),
    // without its end caps.
    TRect MiddleSource() const;
    bool HasAnimationStrip() const;
    TRect AnimationFrameRect(int N) const;
    void StartAnimationCycle();
    void FrameTimerTimer(TObject* Sender);
    void PauseTimerTimer(TObject* Sender);
    void DrawRotatedText(TCanvas* C, int X, int Y, const std::string& Text);

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
    TRect FAnimationStrip;
    int FAnimationCount = 0;
    int FAnimationInterval = 0;

    // The animation: the frame counter and its two timers, made on first start.
    bool FAnimating = false;
    int FAnimationFrame = 0;
    std::unique_ptr<TTimer> FFrameTimer;
    std::unique_ptr<TTimer> FPauseTimer;
};
