// Figures of the skinned buttons on the headless screen: one synchronous repaint of a skinned push button
// and of a speed button at 200 x 30 (with a caption and a glyph), one 20 ms frame of the hover cross-fade
// (a blend of the rest and the hot picture), one frame of the focus animation strip, and showing the
// glow frame. Microseconds per call.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <type_traits>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/win/WinApi.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"

namespace {

void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

// Nine-part button entries (one cross-fading, one with a three-frame strip and a glow picture), built
// as a skin author would.
std::unique_ptr<TskSkinData> BuildSkin()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "buttonbench-XXXXXX").string();
    const std::string dir = ::mkdtemp(pattern.data());
    TBitmap b(200, 100);
    Fill(b, Rect(0, 0, 200, 100), clWhite);
    Fill(b, Rect(0, 40, 30, 60), clGray);
    Fill(b, Rect(30, 40, 60, 60), clAqua);
    Fill(b, Rect(60, 40, 90, 60), clPurple);
    Fill(b, Rect(0, 65, 30, 85), clRed);
    Fill(b, Rect(30, 65, 60, 85), clGreen);
    Fill(b, Rect(60, 65, 90, 85), clBlue);
    b.SaveToFile(dir + "/controls.bmp");
    TBitmap glow(36, 26);
    Fill(glow, Rect(0, 0, 36, 26), clYellow);
    glow.SaveToFile(dir + "/glow.bmp");
    const std::string button = "pictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
                               "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\n"
                               "activeskinrect=30,40,60,60\ndownskinrect=60,40,90,60\n";
    std::ofstream(dir + "/skin.ini")
        << "[VERSION]\nskinname=Bench\n[PICTURES]\nactivepicturescount=2\n0=controls.bmp\n1=glow.bmp\n[FORMINFO]\n"
           "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=3\n0=button:button\n1=toolbutton:button\n"
           "2=abutton:button\n"
        << "[button]\n" << button << "morphing=1\n"
        << "[toolbutton]\n" << button << "morphing=1\n"
        << "[abutton]\n" << button
        << "animateskinrect=0,65,90,85\nframecount=3\nanimateinterval=20\nglowlayerpictureindex=1\n"
           "glowlayeroffsetleft=3\nglowlayeroffsettop=3\nglowlayeroffsetright=3\nglowlayeroffsetbottom=3\n";
    TskCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinIni(dir + "/skin.ini");
    auto skin = std::make_unique<TskSkinData>(nullptr);
    skin->LoadStoredSkin(&stored);
    std::filesystem::remove_all(dir);
    return skin;
}

struct TBenchForm {
    THeadlessDriver Driver;
    std::unique_ptr<TskSkinData> Skin = BuildSkin();
    TForm* Form = new TForm(nullptr);
    TBitmap Glyph{16, 16};
    TBenchForm()
    {
        RegisterSkinControlClasses();
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 700, 500);
        Fill(Glyph, Rect(0, 0, 16, 16), clMaroon);
        Fill(Glyph, Rect(0, 15, 1, 16), clFuchsia);
    }
    ~TBenchForm() { Form->Free(); }
    template <class T> T* Make(const std::string& Entry)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetSkinDataName(Entry);
        c->SetSkinData(Skin.get());
        c->SetBoundsRect(Rect(0, 0, 200, 30));
        c->SetCaption("&Convert");
        c->SetGlyph(&Glyph);
        // A focused push button stays hot; the figures are of the hover alone.
        if constexpr (std::is_same_v<T, TskSkinButton>) c->SetCanFocused(false);
        return c;
    }
    void Show()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
};

// At rest, or with the pointer over it (the hot picture, the fade finished).
template <class T> void BM_Paint200x30(benchmark::State& state)
{
    TBenchForm f;
    T* b = f.Make<T>(std::is_same_v<T, TskSkinButton> ? "button" : "toolbutton");
    f.Show();
    if (state.range(0) != 0) {
        f.Driver.MoveTo(Point(100, 15));
        f.Driver.AdvanceClock(200);
    }
    for (auto _ : state) b->Repaint();
}
BENCHMARK_TEMPLATE(BM_Paint200x30, TskSkinButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Paint200x30, TskSkinSpeedButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One 20 ms step of the hover fade: the factor moves and the blend of two composed pictures is repainted.
template <class T> void BM_HoverCrossFadeFrame(benchmark::State& state)
{
    TBenchForm f;
    f.Make<T>(std::is_same_v<T, TskSkinButton> ? "button" : "toolbutton");
    f.Show();
    bool in = false;
    for (auto _ : state) {
        state.PauseTiming();
        in = !in;
        f.Driver.MoveTo(in ? Point(100, 15) : Point(600, 400));
        state.ResumeTiming();
        f.Driver.AdvanceClock(20);
    }
}
BENCHMARK_TEMPLATE(BM_HoverCrossFadeFrame, TskSkinButton)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_HoverCrossFadeFrame, TskSkinSpeedButton)->Unit(benchmark::kMicrosecond);

// One frame of the speed button's strip animation (hover in and out, 20 ms a frame).
void BM_AnimationFrame(benchmark::State& state)
{
    TBenchForm f;
    f.Make<TskSkinSpeedButton>("abutton");
    f.Show();
    bool in = false;
    for (auto _ : state) {
        state.PauseTiming();
        in = !in;
        f.Driver.MoveTo(in ? Point(100, 15) : Point(600, 400));
        state.ResumeTiming();
        f.Driver.AdvanceClock(20);
    }
}
BENCHMARK(BM_AnimationFrame)->Unit(benchmark::kMicrosecond);

// Composing and showing the glow frame of a 200 x 30 button (the posted show message handled).
void BM_ShowGlow(benchmark::State& state)
{
    TBenchForm f;
    TskSkinButton* b = f.Make<TskSkinButton>("abutton");
    f.Show();
    for (auto _ : state) {
        b->Perform(WM_SHOWLAYER, 0, 0);
        state.PauseTiming();
        b->Perform(WM_HIDELAYER, 0, 0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowGlow)->Unit(benchmark::kMicrosecond);

} // namespace
