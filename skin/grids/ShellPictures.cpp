#include "skin/grids/ShellPictures.h"

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/Folders.h"
#include "platform/sys/Volumes.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

void Fill(TCanvas* C, TColor Colour, int X1, int Y1, int X2, int Y2)
{
    C->Brush()->SetColor(Colour);
    C->FillRect(Rect(X1, Y1, X2, Y2));
}

// A closed yellow folder with a dark outline in (X, Y) .. (X + 14, Y + 11).
void Folder(TCanvas* C, int X, int Y)
{
    Fill(C, clOlive, X, Y, X + 7, Y + 3);
    Fill(C, clOlive, X, Y + 2, X + 14, Y + 11);
    Fill(C, clYellow, X + 1, Y + 3, X + 13, Y + 10);
}

void Arrow(TCanvas* C, const std::vector<TPoint>& Head, int X1, int Y1, int X2, int Y2)
{
    C->Brush()->SetColor(clGreen);
    C->Pen()->SetColor(clGreen);
    C->Polygon(Head);
    Fill(C, clGreen, X1, Y1, X2, Y2);
}

} // namespace

void PaintToolGlyph(TBitmap& B, TskToolGlyph Glyph)
{
    B.SetSize(16, 16);
    TCanvas* c = B.Canvas();
    c->Brush()->SetStyle(bsSolid);
    Fill(c, clFuchsia, 0, 0, 16, 16);
    switch (Glyph) {
    case tgBack: // an arrow pointing left
        Arrow(c, {TPoint{1, 8}, TPoint{7, 2}, TPoint{7, 14}}, 7, 6, 15, 11);
        break;
    case tgUp: // a folder with an arrow pointing up out of it
        Folder(c, 0, 4);
        Arrow(c, {TPoint{11, 0}, TPoint{6, 5}, TPoint{15, 5}}, 9, 5, 13, 11);
        break;
    case tgNewFolder: // a folder with a spark in its corner
        Folder(c, 0, 4);
        Fill(c, clRed, 12, 0, 13, 5);
        Fill(c, clRed, 10, 2, 15, 3);
        break;
    case tgViewStyle: // four small rows of items
        for (int row = 0; row < 4; ++row) {
            const int y = 2 + row * 3;
            Fill(c, clNavy, 1, y, 4, y + 2);
            Fill(c, clGray, 6, y, 15, y + 2);
        }
        break;
    }
    B.SetTransparentColor(clFuchsia);
}

namespace {

// Drawing in a 16-unit square scaled by S (1 or 2), so both sizes come from one description.
struct TPen16 {
    TCanvas* C;
    int S;
    void Box(TColor Colour, int X1, int Y1, int X2, int Y2) const { Fill(C, Colour, X1 * S, Y1 * S, X2 * S, Y2 * S); }
    void Frame(TColor Line, TColor Inside, int X1, int Y1, int X2, int Y2) const
    {
        Box(Line, X1, Y1, X2, Y2);
        Fill(C, Inside, X1 * S + S, Y1 * S + S, X2 * S - S, Y2 * S - S);
    }
    void Shape(TColor Colour, std::initializer_list<TPoint> Points) const
    {
        std::vector<TPoint> p;
        for (TPoint q : Points) p.push_back(TPoint{q.X * S, q.Y * S});
        C->Brush()->SetColor(Colour);
        C->Pen()->SetColor(Colour);
        C->Polygon(p);
    }
    void Disc(TColor Line, TColor Inside, int X1, int Y1, int X2, int Y2) const
    {
        C->Brush()->SetColor(Inside);
        C->Pen()->SetColor(Line);
        C->Ellipse(X1 * S, Y1 * S, X2 * S, Y2 * S);
    }
};

void PaintIcon(const TPen16& P, TskShellIcon Icon)
{
    switch (Icon) {
    case siFile:
        P.Frame(clGray, clWhite, 3, 1, 13, 15);
        P.Box(clSilver, 5, 5, 11, 6);
        P.Box(clSilver, 5, 8, 11, 9);
        P.Box(clSilver, 5, 11, 11, 12);
        break;
    case siVideoFile:
        P.Frame(clGray, clWhite, 2, 1, 14, 15);
        P.Box(TColor(0x00303030), 3, 4, 13, 12);
        for (int y : {5, 10}) // the film's holes
            for (int x = 4; x < 12; x += 3) P.Box(clWhite, x, y, x + 1, y + 1);
        P.Shape(clLime, {TPoint{7, 6}, TPoint{10, 8}, TPoint{7, 10}});
        break;
    case siFolder:
        P.Box(clOlive, 1, 3, 7, 5);
        P.Frame(clOlive, clYellow, 1, 4, 15, 14);
        break;
    case siOpenFolder:
    case siCurrentFolder:
        P.Box(clOlive, 1, 3, 7, 5);
        P.Frame(clOlive, TColor(0x0000C0C0), 1, 4, 14, 14);
        P.Shape(clYellow, {TPoint{3, 7}, TPoint{15, 7}, TPoint{13, 14}, TPoint{1, 14}});
        // The folder one is in: a mark on the open folder.
        if (Icon == siCurrentFolder) P.Frame(clNavy, clBlue, 9, 0, 15, 6);
        break;
    case siDrive:
    case siRemovableDrive:
    case siNetwork:
        P.Frame(clGray, Icon == siRemovableDrive ? TColor(0x00E0A060) : clSilver, 1, 6, 15, 12);
        P.Box(clLime, 12, 9, 14, 10);
        if (Icon == siNetwork) {
            P.Box(clNavy, 7, 12, 9, 15);
            P.Box(clNavy, 3, 14, 13, 15);
        }
        if (Icon == siRemovableDrive) P.Box(clGray, 5, 3, 11, 6);
        break;
    case siOpticalDrive:
        P.Disc(clGray, clSilver, 1, 1, 15, 15);
        P.Disc(clGray, clWhite, 6, 6, 10, 10);
        break;
    case siComputer:
    case siDesktop:
        P.Frame(clGray, Icon == siDesktop ? clTeal : clNavy, 1, 2, 15, 12);
        P.Box(clGray, 6, 12, 10, 14);
        P.Box(clGray, 4, 14, 12, 15);
        if (Icon == siDesktop) {
            P.Box(clYellow, 3, 4, 5, 6);
            P.Box(clWhite, 3, 7, 5, 9);
        }
        break;
    case siHome:
        P.Shape(clMaroon, {TPoint{8, 1}, TPoint{15, 8}, TPoint{1, 8}});
        P.Frame(clGray, clWhite, 3, 8, 13, 15);
        P.Box(clMaroon, 7, 10, 9, 15);
        break;
    }
}

std::unique_ptr<TCustomImageList> MakeShellImages(int Size)
{
    auto list = std::make_unique<TCustomImageList>(nullptr);
    list->SetWidth(Size);
    list->SetHeight(Size);
    for (int i = 0; i < ShellIconCount; ++i) {
        TBitmap b(Size, Size);
        TCanvas* c = b.Canvas();
        c->Brush()->SetStyle(bsSolid);
        Fill(c, clFuchsia, 0, 0, Size, Size);
        PaintIcon(TPen16{c, Size / 16}, static_cast<TskShellIcon>(i));
        list->AddMasked(&b, clFuchsia);
    }
    return list;
}

// The extensions a file's picture shows as a video.
bool IsVideoName(const std::string& Path)
{
    static const std::array<const char*, 22> kVideo = {".avi", ".mpg", ".mpeg", ".vob", ".mp4", ".m4v", ".mkv", ".mov",
        ".wmv", ".asf", ".flv", ".webm", ".ogv", ".ogm", ".ts", ".m2ts", ".mts", ".3gp", ".divx", ".rm", ".rmvb",
        ".dvr-ms"};
    const std::size_t slash = Path.rfind('/');
    const std::size_t dot = Path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    const std::string ext = LowerCase(Path.substr(dot));
    return std::any_of(kVideo.begin(), kVideo.end(), [&](const char* e) { return ext == e; });
}

// The picture of a volume mounted at Path; siFolder when Path is no mount point.
TskShellIcon VolumeIcon(const std::string& Path)
{
    const std::string root = Path.back() == '/' ? Path : Path + "/";
    for (const TMountedVolume& v : GetMountedVolumes()) {
        if (v.RootPath != root) continue;
        switch (v.Kind) {
        case TVolumeKind::Optical: return siOpticalDrive;
        case TVolumeKind::Network: return siNetwork;
        case TVolumeKind::Removable: return siRemovableDrive;
        case TVolumeKind::System: return siFolder;
        case TVolumeKind::Fixed: return siDrive;
        }
    }
    return siFolder;
}

} // namespace

TCustomImageList* ShellImages(bool Large)
{
    // Kept to the program's end on purpose: views that outlive static destruction may still ask.
    static TCustomImageList* const small = MakeShellImages(16).release();
    static TCustomImageList* const large = MakeShellImages(32).release();
    return Large ? large : small;
}

TskShellIcon ShellIconOf(const std::string& Path, bool IsFolder, bool Open)
{
    if (!IsFolder) return IsVideoName(Path) ? siVideoFile : siFile;
    if (Path == "/") return siComputer;
    const std::string home = ExcludeTrailingPathDelimiter(UserHomeFolder());
    if (!home.empty() && Path == home) return siHome;
    const std::string desktop = ExcludeTrailingPathDelimiter(UserDesktopFolder());
    if (!desktop.empty() && Path == desktop && desktop != home) return siDesktop;
    const TskShellIcon volume = VolumeIcon(Path);
    if (volume != siFolder) return volume;
    return Open ? siOpenFolder : siFolder;
}
