#include "app/Unit2.h"

#include "app/Unit1.h"
#include "app/om_functions.h"
#include "app/om_preview.h"
#include "app/om_queue.h"
#include "app/om_runstate.h"
#include "app/om_tables.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Screen.h"
#include "process/TOxPanel.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinSlider.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/form/TskFormFrame.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <cmath>

TForm2* Form2 = nullptr;

namespace {

// The two numbers of "W" + "x" + "H"; false unless both are there and positive.
bool ParseAspect(const std::string& Text, int& Aw, int& Ah)
{
    const std::size_t x = Text.find('x');
    if (x == std::string::npos)
        return false;
    int w = 0;
    int h = 0;
    if (!TryStrToInt(Trim(Text.substr(0, x)), w) || !TryStrToInt(Trim(Text.substr(x + 1)), h) || w <= 0 || h <= 0)
        return false;
    Aw = w;
    Ah = h;
    return true;
}

template <class T> T* Named(TComponent* Owner, const std::string& Name)
{
    return dynamic_cast<T*>(Owner->FindComponent(Name));
}

} // namespace

TRect FitPreviewRect(const TRect& Area, int Aw, int Ah)
{
    if (Aw <= 0 || Ah <= 0)
        return TRect{Area.Left, Area.Top, Area.Left, Area.Top};
    const int areaW = Area.Width();
    const int areaH = Area.Height();
    int w = areaW;
    int h = static_cast<int>(Round(std::trunc(static_cast<double>(areaW) / Aw * Ah)));
    if (h > areaH) {
        w = static_cast<int>(Round(std::trunc(static_cast<double>(areaH) / Ah * Aw)));
        h = areaH;
    }
    const int left = Area.Left + (areaW - w) / 2;
    const int top = Area.Top + (areaH - h) / 2;
    return TRect{left, top, left + w, top + h};
}

void RegisterForm2Class()
{
    static const bool registered = [] {
        RegisterClass<TForm2, TForm>("TForm2")
            .Field("skf", &TForm2::skf)
            .Field("preview", &TForm2::preview)
            .Field("skSkinSpeedButton1", &TForm2::skSkinSpeedButton1)
            .Field("skSkinSpeedButton3", &TForm2::skSkinSpeedButton3)
            .Field("trackbar2", &TForm2::trackbar2)
            .Field("skSkinPanel1", &TForm2::skSkinPanel1)
            .Field("videowindow1", &TForm2::videowindow1)
            .Field("Image1", &TForm2::Image1)
            .Handler("FormResize", &TForm2::FormResize)
            .Handler("FormClose", &TForm2::FormClose)
            .Handler("skSkinSpeedButton1Click", &TForm2::skSkinSpeedButton1Click)
            .Handler("skSkinSpeedButton3Click", &TForm2::skSkinSpeedButton3Click)
            .Handler("Image1Click", &TForm2::Image1Click)
            .Handler("trackbar2Change", &TForm2::trackbar2Change)
            .Handler("trackbar2MouseDown", &TForm2::trackbar2MouseDown)
            .Handler("trackbar2MouseUp", &TForm2::trackbar2MouseUp);
        return true;
    }();
    (void)registered;
}

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner)
{
    InitInheritedComponent(this, "TForm2");
    MakeMissingComponents();
    BindHandlers();
    Form2 = this;
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
    // A main window that is itself going keeps its seams to the end: they are not touched then.
    const bool mainGoing = FMain && FMain->ComponentState().Contains(csDestroying);
    if (FQueue && !mainGoing)
        FQueue->OnImageClick = nullptr;
    if (FMain && !mainGoing)
        FMain->OnPreviewSize = nullptr;
}

void TForm2::MakeMissingComponents()
{
    if (Caption().empty())
        SetCaption("Preview");
    if (Width() < 100 || Height() < 100)
        SetBounds(Left(), Top(), 400, 340);
    SetPosition(poMainFormCenter);

    if (!preview)
        preview = Named<TskSkinPanel>(this, "preview");
    if (!preview) {
        preview = new TskSkinPanel(this);
        preview->SetName("preview");
        preview->SetBounds(0, ClientHeight() - 30, ClientWidth(), 30);
        preview->SetAlign(alBottom);
        preview->SetParent(this);
    }
    if (!skSkinSpeedButton1)
        skSkinSpeedButton1 = Named<TskSkinSpeedButton>(this, "skSkinSpeedButton1");
    if (!skSkinSpeedButton1) {
        skSkinSpeedButton1 = new TskSkinSpeedButton(this);
        skSkinSpeedButton1->SetName("skSkinSpeedButton1");
        skSkinSpeedButton1->SetCaption("Play");
        skSkinSpeedButton1->SetBounds(0, 0, 50, 30);
        skSkinSpeedButton1->SetAlign(alLeft);
        skSkinSpeedButton1->SetParent(preview);
    }
    if (!skSkinSpeedButton3)
        skSkinSpeedButton3 = Named<TskSkinSpeedButton>(this, "skSkinSpeedButton3");
    if (!skSkinSpeedButton3) {
        skSkinSpeedButton3 = new TskSkinSpeedButton(this);
        skSkinSpeedButton3->SetName("skSkinSpeedButton3");
        skSkinSpeedButton3->SetCaption("Stop");
        skSkinSpeedButton3->SetBounds(50, 0, 50, 30);
        skSkinSpeedButton3->SetAlign(alLeft);
        skSkinSpeedButton3->SetParent(preview);
    }
    if (!trackbar2)
        trackbar2 = Named<TskSkinSlider>(this, "trackbar2");
    if (!trackbar2) {
        trackbar2 = new TskSkinSlider(this);
        trackbar2->SetName("trackbar2");
        trackbar2->SetBounds(100, 0, 100, 30);
        trackbar2->SetAlign(alClient);
        trackbar2->SetParent(preview);
    }
    if (!skSkinPanel1)
        skSkinPanel1 = Named<TskSkinPanel>(this, "skSkinPanel1");
    if (!skSkinPanel1) {
        skSkinPanel1 = new TskSkinPanel(this);
        skSkinPanel1->SetName("skSkinPanel1");
        skSkinPanel1->SetBorderStyle(bvNone);
        skSkinPanel1->SetBounds(0, 0, ClientWidth(), ClientHeight() - 30);
        skSkinPanel1->SetAlign(alClient);
        skSkinPanel1->SetParent(this);
    }
    // The player window lies over the picture area, not in it, so fitting it never re-aligns the area.
    if (!videowindow1)
        videowindow1 = Named<TOxPanel>(this, "videowindow1");
    if (!videowindow1) {
        videowindow1 = new TOxPanel(this);
        videowindow1->SetName("videowindow1");
        videowindow1->SetColor(clBlack);
        videowindow1->SetCaption("");
        videowindow1->SetBoundsRect(skSkinPanel1->BoundsRect());
        videowindow1->SetParent(this);
        videowindow1->BringToFront();
    }
    if (!Image1)
        Image1 = Named<TImage>(this, "Image1");
    if (!Image1) {
        Image1 = new TImage(this);
        Image1->SetName("Image1");
        Image1->SetAlign(alClient);
        Image1->SetParent(videowindow1);
    }
    Image1->SetCenter(true);
    Image1->SetProportional(true);
    Image1->SetStretch(true);
}

void TForm2::BindHandlers()
{
    // A stored description may have bound them already; the same handlers either way.
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    // The picture area changes size with the window, and again when the skinned frame takes its border
    // and caption as the window first shows, which the window's own size does not tell: the player
    // window (and the still picture in it) follows the area itself, whatever the order.
    skSkinPanel1->OnResize = [this](TObject*) {
        if (MainState().PreviewAspectWidth != 0)
            PreviewResize();
    };
    skSkinSpeedButton1->OnClick = [this](TObject* Sender) { skSkinSpeedButton1Click(Sender); };
    skSkinSpeedButton3->OnClick = [this](TObject* Sender) { skSkinSpeedButton3Click(Sender); };
    Image1->OnClick = [this](TObject* Sender) { Image1Click(Sender); };
    trackbar2->OnChange = [this](TObject* Sender) { trackbar2Change(Sender); };
    trackbar2->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        trackbar2MouseDown(Sender, Button, Shift, X, Y);
    };
    trackbar2->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        trackbar2MouseUp(Sender, Button, Shift, X, Y);
    };
}


void TForm2::Attach(TForm1* Main, TOmQueue* Queue)
{
    FMain = Main;
    FQueue = Queue;
    if (FQueue) {
        FQueue->OnImageClick = [this](int r) { ImageClick(r); };
        preview->SetSkinData(FQueue->skSkinData1);
        skSkinPanel1->SetSkinData(FQueue->skSkinData1);
        skSkinSpeedButton1->SetSkinData(FQueue->skSkinData3);
        skSkinSpeedButton3->SetSkinData(FQueue->skSkinData3);
        trackbar2->SetSkinData(FQueue->skSkinData2);
        if (FQueue->skSkinData1 && !skf) {
            // The same frame as the main window's: sized by its borders, with the program's icon,
            // and no rolling up.
            skf = new TskFormFrame(this);
            skf->SetName("skf");
            skf->SetSkinData(FQueue->skSkinData1);
            skf->SetMenusSkinData(FQueue->skSkinData1);
            skf->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
            skf->SetSizeable(true);
            skf->SetShowIcon(true);
        }
    }
    if (FMain)
        FMain->OnPreviewSize = [this](int, int) {
            if (Visible())
                PreviewResize();
        };
}

TRunState& TForm2::MainState()
{
    if (FMain)
        return FMain->RunState;
    if (!FOwnState)
        FOwnState = std::make_unique<TRunState>();
    return *FOwnState;
}

unsigned long TForm2::PlayerWindowId()
{
    // No display window (headless, or a display without child windows): the player then plays
    // without a picture of its own rather than drawing over someone else's window.
    return GetNativeWindowId(videowindow1->Handle());
}

void TForm2::ImageClick(int r)
{
    if (!FMain || r < 0 || r >= FMain->StringGrid1->RowCount())
        return;
    TskSkinStringGrid& g = *FMain->StringGrid1;
    g.SetRow(r);
    // The row's own thumbnail: the picture file is named after the output name the row had when it
    // was made, which the user may have edited since.
    Image1->Picture()->SetGraphic(nullptr);
    if (FQueue)
        if (TImage* pic = FQueue->RowPicture(r))
            Image1->Picture()->Assign(pic->Picture());
    Image1->SetTag(r);
    FitPreviewPanel("320x240");
    SetCaption(g.Cells(SourceRecord::OutputName, r));
    // Each opening is centred on the main window where it stands now, not where it stood the first time.
    if (!Visible())
        SetBounds(std::max(0, FMain->Left() + (FMain->Width() - Width()) / 2), std::max(0, FMain->Top() + (FMain->Height() - Height()) / 2),
            Width(), Height());
    Show();
    preview->Show();
    videowindow1->Show();
    trackbar2->SetValue(0);
    trackbar2->SetMaxValue(std::max(0, static_cast<int>(Round(ParseFloatDot(g.Cells(SourceRecord::Length, r))))));
}

void TForm2::PlayPreview()
{
    if (!FMain)
        return;
    const int r = Image1->Tag();
    const std::string aid = FQueue ? FQueue->getAID(r) : std::string();
    const std::string sid = FQueue ? FQueue->getSID(r) : std::string();
    FitPreviewPanel("320x240");
    // Play while the preview plays stops it. The call that started the player is still waiting for it
    // below, and tidies up once it has ended.
    if (FPlaying) {
        StopPreview(*FMain);
        return;
    }
    const unsigned long wid = PlayerWindowId();
    FLastCommand = PreviewCommand(*FMain->StringGrid1, r, aid, sid, wid);
    FPlaying = true;
    const TScopeExit ended([this] {
        FPlaying = false;
        // The player's window lies over the still picture and keeps its last frame (or black): it
        // shows only while a player draws into it, the picture at all other times.
        if (videowindow1->HandleAllocated())
            ReleaseNativeWindow(videowindow1->Handle());
    });
    // The wait for the player runs inside this call.
    ::PlayPreview(*FMain, r, aid, sid, wid);
}

void TForm2::PreviewResize()
{
    if (MainState().PreviewAspectWidth < 10)
        MainState().PreviewAspectWidth = 64;
    if (MainState().PreviewAspectHeight < 10)
        MainState().PreviewAspectHeight = 64;
    videowindow1->SetBoundsRect(FitPreviewRect(skSkinPanel1->BoundsRect(), MainState().PreviewAspectWidth, MainState().PreviewAspectHeight));
}

void TForm2::FitPreviewPanel(const std::string& Aspect)
{
    int aw = 0;
    int ah = 0;
    if (ParseAspect(Aspect, aw, ah)) {
        MainState().PreviewAspectWidth = aw;
        MainState().PreviewAspectHeight = ah;
    }
    if (MainState().PreviewAspectWidth > 0 && MainState().PreviewAspectHeight > 0)
        videowindow1->SetBoundsRect(FitPreviewRect(skSkinPanel1->BoundsRect(), MainState().PreviewAspectWidth, MainState().PreviewAspectHeight));
    videowindow1->Show();
}

void TForm2::FormResize(TObject*)
{
    if (MainState().PreviewAspectWidth != 0 && videowindow1)
        PreviewResize();
}

void TForm2::FormClose(TObject*, TCloseAction&)
{
    // Only the preview's own player is ended; an encoder running meanwhile goes on.
    if (FMain)
        StopPreview(*FMain);
}

void TForm2::skSkinSpeedButton1Click(TObject*)
{
    PlayPreview();
}

void TForm2::skSkinSpeedButton3Click(TObject*)
{
    if (FMain)
        StopPreview(*FMain);
    preview->Hide();
    videowindow1->Hide();
    Close();
}

void TForm2::Image1Click(TObject*)
{
    PlayPreview();
}

void TForm2::trackbar2Change(TObject*)
{
    // Only the user's drag seeks; a value set by the program (or moved by keys) sends nothing.
    if (FSeekDragging != 0 && FMain)
        SlaveCommand(*FMain, "seek " + IntToStr(trackbar2->Value()) + " 2");
    if (videowindow1)
        PreviewResize();
}

void TForm2::trackbar2MouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    FSeekDragging = -1;
}

void TForm2::trackbar2MouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    FSeekDragging = 0;
}
