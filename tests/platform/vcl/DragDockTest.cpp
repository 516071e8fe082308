#include "platform/vcl/DragDock.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TScreen.h"

namespace {

std::string StateName(TDragState s) { return s == dsDragEnter ? "enter" : s == dsDragLeave ? "leave" : "move"; }

struct DragFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TPanel* Source = nullptr;
    TPanel* Target = nullptr;
    TPanel* Site = nullptr;
    TPanel* OtherSite = nullptr;
    std::vector<std::string> Log;

    TPanel* AddPanel(TWinControl* parent, int x, int y, int w, int h)
    {
        auto* p = new TPanel(Form);
        p->SetParent(parent);
        p->SetBounds(x, y, w, h);
        return p;
    }
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Source = AddPanel(Form, 10, 10, 60, 40);
        Target = AddPanel(Form, 200, 10, 100, 80);
        Site = AddPanel(Form, 10, 150, 150, 120);
        OtherSite = AddPanel(Form, 200, 150, 150, 120);
        Source->OnClick = [this](TObject*) { Log.push_back("click"); };
        Source->OnStartDrag = [this](TObject*, TDragObject*&) { Log.push_back("start"); };
        Source->OnEndDrag = [this](TObject*, TObject* t, int x, int y) {
            Log.push_back(std::string("end ") + (t == nullptr ? "nil" : t == Target ? "target" : "other") + " " +
                IntToStr(x) + "," + IntToStr(y));
        };
        Form->Show();
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        Form->Free();
        Driver.ProcessMessages();
    }
    void AcceptOnTarget(bool accept)
    {
        Target->OnDragOver = [this, accept](TObject*, TObject* src, int, int, TDragState st, bool& a) {
            Log.push_back("over " + StateName(st) + (src == Source ? " source" : " ?"));
            a = accept;
        };
        Target->OnDragDrop = [this](TObject*, TObject* src, int x, int y) {
            Log.push_back(std::string("drop ") + (src == Source ? "source " : "? ") + IntToStr(x) + "," + IntToStr(y));
        };
    }
    // Presses in the source and moves past the drag threshold: the automatic drag begins.
    void StartDrag()
    {
        Source->SetDragMode(dmAutomatic);
        const TPoint from = Source->ClientToScreen({5, 5});
        Driver.MoveTo(from);
        Driver.ButtonDown();
        Driver.MoveTo({from.X + 10, from.Y + 10});
        ASSERT_TRUE(Source->Dragging());
    }
    // Press in the source, move in steps to the point and release there.
    void DragTo(TPoint to)
    {
        Driver.MoveTo(Source->ClientToScreen({20, 20}));
        Driver.ButtonDown();
        const TPoint from = Source->ClientToScreen({20, 20});
        for (int i = 1; i <= 4; ++i)
            Driver.MoveTo({from.X + (to.X - from.X) * i / 4 - (i == 4 ? 1 : 0), from.Y + (to.Y - from.Y) * i / 4});
        Driver.MoveTo(to);
        Driver.ButtonUp();
        Driver.ProcessMessages();
    }
    int Count(const std::string& prefix) const
    {
        int n = 0;
        for (auto& l : Log) n += l.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
};

} // namespace

// ---- dragging onto a target ----

TEST_F(DragFixture, AutomaticDrag_DropsOnTheAcceptingTarget_ThenTheSourceHearsWhere)
{
    Source->SetDragMode(dmAutomatic);
    AcceptOnTarget(true);
    DragTo(Target->ClientToScreen({30, 25}));
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.front(), "start");
    EXPECT_EQ(Count("over enter source"), 1);
    EXPECT_GE(Count("over move source"), 1);
    EXPECT_EQ(Count("click"), 0) << "a press that became a drag is no click";
    ASSERT_GE(Log.size(), 2u);
    EXPECT_EQ(Log[Log.size() - 2], "drop source 30,25");
    EXPECT_EQ(Log.back(), "end target 30,25");
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(DragFixture, PressWithoutMoving_StaysAClick)
{
    Source->SetDragMode(dmAutomatic);
    Driver.Click(Source->ClientToScreen({20, 20}));
    Driver.ProcessMessages();
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
    // Under the threshold the press is still the control's own.
    Driver.MoveTo(Source->ClientToScreen({20, 20}));
    Driver.ButtonDown();
    Driver.MoveTo(Source->ClientToScreen({22, 22}));
    Driver.ButtonUp();
    Driver.ProcessMessages();
    EXPECT_EQ(Log, (std::vector<std::string>{"click", "click"}));
}

TEST_F(DragFixture, RefusingTarget_GetsNoDrop_AndShowsTheNoDropCursor)
{
    Source->SetDragMode(dmAutomatic);
    Source->SetDragCursor(crHandPoint);
    AcceptOnTarget(false);
    const TPoint at = Target->ClientToScreen({30, 25});
    DragTo(at);
    EXPECT_EQ(Count("drop"), 0);
    EXPECT_EQ(Log.back(), "end nil " + IntToStr(at.X) + "," + IntToStr(at.Y));

    StartDrag();
    Driver.MoveTo(at);
    EXPECT_EQ(Screen->Cursor(), crNoDrop);
    // Without OnDragOver a control takes nothing either.
    Driver.MoveTo(Form->ClientToScreen({150, 120}));
    EXPECT_EQ(Screen->Cursor(), crNoDrop);
    Driver.ButtonUp();
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(DragFixture, AcceptedCursor_IsTheSourcesDragCursor)
{
    Source->SetDragCursor(crHandPoint);
    TCursor seen = crDefault;
    Target->OnDragOver = [&](TObject*, TObject*, int, int, TDragState st, bool& a) {
        a = true;
        if (st == dsDragMove) seen = Screen->Cursor();
    };
    StartDrag();
    Driver.MoveTo(Target->ClientToScreen({10, 10}));
    Driver.MoveTo(Target->ClientToScreen({12, 10}));
    EXPECT_TRUE(Source->Dragging());
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
    Driver.KeyDown(VK_ESCAPE);
    Driver.ProcessMessages();
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(seen, crHandPoint);
    Driver.ButtonUp();
}

TEST_F(DragFixture, EscapeCancels_TheTargetIsLeftAndTheSourceHearsNil)
{
    AcceptOnTarget(true);
    StartDrag();
    Driver.MoveTo(Target->ClientToScreen({10, 10}));
    Driver.KeyDown(VK_ESCAPE);
    Driver.ProcessMessages();
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Count("over leave"), 1);
    EXPECT_EQ(Count("drop"), 0);
    EXPECT_EQ(Log.back().rfind("end nil", 0), 0u);
    Driver.ButtonUp();
}

TEST_F(DragFixture, SourceOrTargetFreedDuringTheDrag_EndsQuietly)
{
    AcceptOnTarget(true);
    Target->OnDragDrop = [this](TObject*, TObject*, int, int) {
        Log.push_back("drop");
        // Freeing the panel frees this handler with it, captures and all: nothing of it is read after.
        std::exchange(Target, nullptr)->Free();
    };
    StartDrag();
    Driver.MoveTo(OtherSite->ClientToScreen({10, 10}));
    Driver.MoveTo(Source->Parent()->ClientToScreen({250, 40}));
    Driver.ButtonUp();
    Driver.ProcessMessages();
    EXPECT_EQ(Count("drop"), 1);
    EXPECT_EQ(Log.back().rfind("end nil", 0), 0u) << "the target went while it took the drop";

    StartDrag();
    Source->Free();
    Source = nullptr;
    Driver.MoveTo({300, 200});
    Driver.ButtonUp();
    Driver.ProcessMessages();
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

// ---- docking ----

TEST_F(DragFixture, DockDrag_MovesTheControlIntoTheSiteAtTheDropPoint)
{
    Site->SetDockSite(true);
    Source->SetDragKind(dkDock);
    Source->SetDragMode(dmAutomatic);
    TRect influence;
    Site->OnGetSiteInfo = [&](TObject*, TControl* client, TRect& r, TPoint, bool& can) {
        EXPECT_EQ(client, Source);
        EXPECT_TRUE(can);
        influence = r;
    };
    Site->OnDockOver = [this](TObject*, TDragDockObject* src, int, int, TDragState st, bool& a) {
        EXPECT_TRUE(a);
        Log.push_back("dock over " + StateName(st) + (src->Control() == Source ? " source" : " ?"));
    };
    Site->OnDockDrop = [this](TObject*, TDragDockObject* src, int x, int y) {
        Log.push_back("dock drop " + IntToStr(x) + "," + IntToStr(y) + " " + IntToStr(src->DockRect.Width()));
    };
    Source->OnStartDock = [this](TObject*, TDragDockObject*&) { Log.push_back("start dock"); };
    Source->OnEndDock = [this](TObject*, TObject* t, int, int) { Log.push_back(t == Site ? "end dock site" : "end dock nil"); };
    DragTo(Site->ClientToScreen({50, 60}));
    EXPECT_EQ(influence, Bounds(Site->ClientToScreen({0, 0}).X, Site->ClientToScreen({0, 0}).Y, 150, 120));
    EXPECT_EQ(Log.front(), "start dock");
    EXPECT_EQ(Count("dock over enter source"), 1);
    EXPECT_EQ(Log[Log.size() - 2], "dock drop 50,60 60");
    EXPECT_EQ(Log.back(), "end dock site");
    EXPECT_EQ(Source->Parent(), Site);
    EXPECT_EQ(Source->HostDockSite(), Site);
    // Grabbed at (20, 20) of itself, it lands with that point under the pointer.
    EXPECT_EQ(Source->BoundsRect(), Bounds(30, 40, 60, 40));
}

TEST_F(DragFixture, DockDrag_NoSiteOrARefusingSite_LeavesTheControlWhereItWas)
{
    Site->SetDockSite(true);
    Source->SetDragKind(dkDock);
    Source->SetDragMode(dmAutomatic);
    Source->OnEndDock = [this](TObject*, TObject* t, int, int) { Log.push_back(t == nullptr ? "end nil" : "end site"); };
    DragTo(Target->ClientToScreen({10, 10}));
    EXPECT_EQ(Source->Parent(), Form);
    EXPECT_EQ(Log.back(), "end nil");

    Site->OnGetSiteInfo = [](TObject*, TControl*, TRect&, TPoint, bool& can) { can = false; };
    DragTo(Site->ClientToScreen({50, 60}));
    EXPECT_EQ(Source->Parent(), Form);
    Site->OnGetSiteInfo = nullptr;
    Site->OnDockOver = [](TObject*, TDragDockObject*, int, int, TDragState, bool& a) { a = false; };
    DragTo(Site->ClientToScreen({50, 60}));
    EXPECT_EQ(Source->Parent(), Form);
    EXPECT_EQ(Log.back(), "end nil");
}

TEST_F(DragFixture, LeavingASite_AsksItsOnUnDock_WhichMayKeepTheControl)
{
    Site->SetDockSite(true);
    OtherSite->SetDockSite(true);
    Source->SetParent(Site);
    Source->SetBounds(10, 10, 60, 40);
    Source->SetDragKind(dkDock);
    Source->SetDragMode(dmAutomatic);
    bool allow = false;
    Site->OnUnDock = [&](TObject*, TControl* client, TWinControl* to, bool& a) {
        Log.push_back(std::string("undock ") + (client == Source && to == OtherSite ? "ok" : "?"));
        a = allow;
    };
    DragTo(OtherSite->ClientToScreen({40, 40}));
    EXPECT_EQ(Count("undock ok"), 1);
    EXPECT_EQ(Source->Parent(), Site);
    allow = true;
    DragTo(OtherSite->ClientToScreen({40, 40}));
    EXPECT_EQ(Source->Parent(), OtherSite);
    EXPECT_EQ(Source->HostDockSite(), OtherSite);
}

TEST_F(DragFixture, ASiteThatGoesAway_IsNoLongerOffered)
{
    Site->SetDockSite(true);
    Source->SetDragKind(dkDock);
    Source->SetDragMode(dmAutomatic);
    const TPoint where = Site->ClientToScreen({50, 60});
    Site->Free();
    Site = nullptr;
    DragTo(where);
    EXPECT_EQ(Source->Parent(), Form);
}
