#pragma once
// The drawing tools of a canvas: TFont, TPen and TBrush. Each keeps its description, makes the
// graphics layer's object on demand (Handle) and tells its owner through OnChange when it changes,
// so that a canvas reselects it and a control repaints.
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/gfx/GdiObjects.h"
#include "platform/vcl/TComponent.h"

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = BYTE;

class TFont : public TGraphicsObject {
public:
    TFont() = default;
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(TPersistent* Source) override;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    // Points at 96 pixels per inch.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    int PixelsPerInch() const { return 96; }

    // The graphics layer's font, made on first use and again after a change; owned by the font.
    HFONT Handle();
    TLogFont LogFont() const;

private:
    void FreeHandle();
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    HFONT FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);
    HPEN Handle();

private:
    void FreeHandle();
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    HPEN FHandle = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again, as the component library does.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    HBRUSH Handle();

private:
    void FreeHandle();
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    HBRUSH FHandle = nullptr;
};

// Registers the graphics objects' classes and enumerations for the form reader (done once).
void RegisterGraphicsClasses();
