// Figures of the skinned controls on the headless screen: one synchronous repaint of a skinned button,
// gauge and panel at 200 x 30, 400 x 20 and 640 x 480; one frame of the hover cross-fade; and a queue
// of 50 rows (a frameless panel with a gauge, a check box, two speed buttons and a label each) repainted
// whole; a panel with a caption (text frame, image, roll-up button), a status bar with its grip, an
// upright gauge with turned text, and one frame of the gauge's progress animation. Microseconds per
// call; aim: the 50-row queue under 8 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinStatusBar.h"
#include "platform/vcl/TCustomImageList.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"

namespace {

void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

// A small skin with nine-part panel and button entries and a three-part gauge, built as an author would.
std::unique_ptr<TskSkinData> BuildSkin()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "skinbench-XXXXXX").string();
    const std::string dir = ::mkdtemp(pattern.data());
    TBitmap b(200, 100);
    Fill(b, Rect(0, 0, 200, 100), clWhite);
    Fill(b, Rect(0, 0, 30, 30), clRed);
    Fill(b, Rect(5, 5, 25, 25), clGreen);
    Fill(b, Rect(40, 0, 80, 10), clYellow);
    Fill(b, Rect(40, 20, 50, 26), clBlue);
    Fill(b, Rect(0, 40, 30, 60), clGray);
    Fill(b, Rect(30, 40, 60, 60), clAqua);
    Fill(b, Rect(60, 40, 90, 60), clPurple);
    Fill(b, Rect(100, 0, 160, 60), clRed);
    Fill(b, Rect(105, 2, 155, 18), clNavy);
    Fill(b, Rect(105, 20, 155, 55), clGreen);
    Fill(b, Rect(100, 70, 140, 86), clOlive);
    Fill(b, Rect(170, 0, 180, 10), clAqua);
    Fill(b, Rect(60, 20, 90, 26), clLime);
    Fill(b, Rect(180, 0, 190, 40), clTeal);
    b.SaveToFile(dir + "/controls.bmp");
    std::ofstream(dir + "/skin.ini")
        << "[VERSION]\nskinname=Bench\n[PICTURES]\nactivepicturescount=1\n0=controls.bmp\n[FORMINFO]\n"
           "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=8\n0=panel:panel\n1=gauge:gauge\n2=button:button\n"
           "3=toolbutton:button\n4=captionpanel:panel\n5=statusbar:panel\n6=animgauge:gauge\n7=vgauge:gauge\n"
           "[captionpanel]\npictureindex=0\nskinrect=100,0,160,60\nlefttoppoint=5,20\nrighttoppoint=55,20\n"
           "leftbottompoint=5,55\nrightbottompoint=55,55\nclientrect=5,20,55,55\ncaptionrect=5,2,55,18\n"
           "fontcolor=16777215\nframerect=100,70,140,86\nframeleftoffset=4\nframerightoffset=4\n"
           "markframerect=170,0,180,10\n"
           "[statusbar]\npictureindex=0\nskinrect=0,0,30,30\nlefttoppoint=5,5\nrighttoppoint=25,5\n"
           "leftbottompoint=5,25\nrightbottompoint=25,25\nclientrect=5,5,25,25\n"
           "[animgauge]\npictureindex=0\nskinrect=40,0,80,10\nlefttoppoint=2,0\nrighttoppoint=38,0\n"
           "clientrect=2,2,38,8\nprogressarea=2,2,38,8\nprogressrect=40,20,50,26\n"
           "progressanimationskinrect=60,20,90,26\nprogressanimationcountframes=3\n"
           "progressanimationtimerinterval=50\n"
           "[vgauge]\npictureindex=0\nskinrect=180,0,190,40\nlefttoppoint=0,2\nleftbottompoint=0,38\n"
           "clientrect=0,2,10,38\nprogressarea=2,2,8,38\nprogressrect=40,20,46,26\nvertical=1\n"
           "[panel]\npictureindex=0\nskinrect=0,0,30,30\nlefttoppoint=5,5\nrighttoppoint=25,5\n"
           "leftbottompoint=5,25\nrightbottompoint=25,25\nclientrect=5,5,25,25\n"
           "[gauge]\npictureindex=0\nskinrect=40,0,80,10\nlefttoppoint=2,0\nrighttoppoint=38,0\n"
           "clientrect=2,2,38,8\nprogressarea=2,2,38,8\nprogressrect=40,20,50,26\n"
           "[button]\npictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
           "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\nactiveskinrect=30,40,60,60\n"
           "downskinrect=60,40,90,60\nmorphing=1\n"
           "[toolbutton]\npictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
           "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\nactiveskinrect=30,40,60,60\n"
           "downskinrect=60,40,90,60\n";
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
    TBenchForm()
    {
        RegisterSkinControlClasses();
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 700, 2600);
    }
    ~TBenchForm() { Form->Free(); }
    template <class T> T* Make(TWinControl* parent, TRect r)
    {
        auto* c = new T(Form);
        c->SetParent(parent);
        c->SetSkinData(Skin.get());
        c->SetBoundsRect(r);
        return c;
    }
    void Show()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
};

template <class T> void BM_Paint(benchmark::State& state)
{
    TBenchForm f;
    auto* c = f.Make<T>(f.Form, Rect(0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    f.Show();
    for (auto _ : state) c->Repaint();
}
BENCHMARK_TEMPLATE(BM_Paint, TskSkinButton)->Args({200, 30})->Args({400, 20})->Args({640, 480})->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Paint, TskSkinGauge)->Args({200, 30})->Args({400, 20})->Args({640, 480})->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Paint, TskSkinPanel)->Args({200, 30})->Args({400, 20})->Args({640, 480})->Unit(benchmark::kMicrosecond);

// A panel with a caption bar: framed text, an image-list image and the roll-up button.
void BM_PaintCaptionPanel(benchmark::State& state)
{
    TBenchForm f;
    auto* images = new TCustomImageList(f.Form);
    TBitmap picture(16, 16);
    Fill(picture, Rect(0, 0, 16, 16), clBlue);
    images->Add(&picture, nullptr);
    auto* p = f.Make<TskSkinPanel>(f.Form, Rect(0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    p->SetSkinDataName("captionpanel");
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->SetCaption("Title 1: 01:32:10, 2 audio tracks");
    p->SetCaptionImageList(images);
    p->SetCaptionImageIndex(0);
    f.Show();
    for (auto _ : state) p->Repaint();
}
BENCHMARK(BM_PaintCaptionPanel)->Args({200, 30})->Args({400, 60})->Args({640, 480})->Unit(benchmark::kMicrosecond);

// A status bar across a 700-pixel form, with its size grip.
void BM_PaintStatusBar(benchmark::State& state)
{
    TBenchForm f;
    auto* bar = new TskSkinStatusBar(f.Form);
    bar->SetParent(f.Form);
    bar->SetSkinData(f.Skin.get());
    bar->SetSizeGrip(true);
    f.Show();
    for (auto _ : state) bar->Repaint();
}
BENCHMARK(BM_PaintStatusBar)->Unit(benchmark::kMicrosecond);

// An upright gauge (turned percent text) and one frame of the progress animation of a level one.
void BM_PaintUprightGauge(benchmark::State& state)
{
    TBenchForm f;
    auto* g = f.Make<TskSkinGauge>(f.Form, Rect(0, 0, 30, 400));
    g->SetSkinDataName("vgauge");
    g->RefreshSkin();
    g->SetShowPercent(true);
    f.Show();
    for (auto _ : state) g->Repaint();
}
BENCHMARK(BM_PaintUprightGauge)->Unit(benchmark::kMicrosecond);

void BM_GaugeAnimationFrame(benchmark::State& state)
{
    TBenchForm f;
    auto* g = f.Make<TskSkinGauge>(f.Form, Rect(0, 0, 400, 20));
    g->SetSkinDataName("animgauge");
    g->RefreshSkin();
    g->SetValue(80);
    g->SetProgressAnimationPause(0);
    f.Show();
    g->StartProgressAnimation();
    for (auto _ : state) f.Driver.AdvanceClock(50);
}
BENCHMARK(BM_GaugeAnimationFrame)->Unit(benchmark::kMicrosecond);

// One 20 ms step of the hover fade of a 200 x 30 button: the factor moves and the blend is repainted.
void BM_HoverCrossFadeFrame(benchmark::State& state)
{
    TBenchForm f;
    f.Make<TskSkinButton>(f.Form, Rect(0, 0, 200, 30))->SetCanFocused(false);
    f.Show();
    bool in = false;
    for (auto _ : state) {
        state.PauseTiming();
        in = !in;
        f.Driver.MoveTo(in ? Point(100, 15) : Point(600, 600));
        state.ResumeTiming();
        f.Driver.AdvanceClock(20);
    }
}
BENCHMARK(BM_HoverCrossFadeFrame)->Unit(benchmark::kMicrosecond);

void BM_Queue50Rows(benchmark::State& state)
{
    TBenchForm f;
    for (int i = 0; i < 50; ++i) {
        auto* row = f.Make<TskSkinPanel>(f.Form, Rect(0, i * 50, 640, i * 50 + 50));
        row->SetBorderStyle(bvNone);
        f.Make<TskSkinCheckRadioBox>(row, Rect(4, 12, 24, 37));
        auto* g = f.Make<TskSkinGauge>(row, Rect(30, 20, 330, 30));
        g->SetShowPercent(true);
        g->SetValue(i * 2);
        for (int k = 0; k < 2; ++k) {
            auto* b = f.Make<TskSkinSpeedButton>(row, Rect(340 + k * 80, 10, 410 + k * 80, 40));
            b->SetFlat(true);
            b->SetUseSkinSize(false);
            b->SetCaption(k == 0 ? "Skip" : "Play");
        }
        auto* l = new TskSkinStdLabel(f.Form);
        l->SetParent(row);
        l->SetBoundsRect(Rect(510, 15, 630, 35));
        l->SetCaption("Title " + std::to_string(i + 1));
        l->SetSkinData(f.Skin.get());
    }
    f.Show();
    for (auto _ : state) f.Form->Repaint();
}
BENCHMARK(BM_Queue50Rows)->Unit(benchmark::kMicrosecond);

} // namespace
