#include "process/OxUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomPanel.h"
#include "process/TUnitVersioning.h"

#include "platform/rtl/TStringList.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

TEST(StringsToMultiSz, EachStringEndsWithNulAndOneMoreEndsTheBlock)
{
    TStringList list;
    list.Add("A=1");
    list.Add("B=2");
    EXPECT_EQ(StringsToMultiSz(list), std::string("A=1\0B=2\0\0", 9));
    TStringList empty;
    EXPECT_EQ(StringsToMultiSz(empty), std::string("\0", 1));
}

TEST(StringsToMultiSz, EmptyStringRaises)
{
    TStringList list;
    list.Add("A=1");
    list.Add("");
    try {
        StringsToMultiSz(list);
        FAIL();
    } catch (const EOxBaseError& e) {
        EXPECT_EQ(e.Message(), "String list passed to StringsToMultiSz cannot contain empty strings.");
    }
}

TEST(OSCheck, FalseRaisesTheLastError)
{
    EXPECT_TRUE(OSCheck(true));
    errno = ENOENT;
    try {
        OSCheck(false);
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
    }
}

TEST(AllocateHWndEx, MethodGetsPostedMessagesFromOtherThreads)
{
    std::vector<UINT> got;
    HWND wnd = AllocateHWndEx([&](TMessage& m) {
        if (m.Msg >= WM_USER) {
            got.push_back(m.Msg);
            m.Result = 7;
        }
    });
    ASSERT_NE(wnd, 0u);
    EXPECT_EQ(SendMessage(wnd, WM_USER + 5), 7);
    std::thread([wnd] { PostMessage(wnd, WM_USER + 6); }).join();
    TMsg m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        DispatchMessage(&m);
    }
    EXPECT_EQ(got, (std::vector<UINT>{WM_USER + 5, WM_USER + 6}));
    DeallocateHWndEx(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    // A post to the freed window is dropped, not delivered to a stale method.
    EXPECT_FALSE(PostMessage(wnd, WM_USER + 7));
}

TEST(AllocateHWndEx, WithoutMethodBehavesAsPlainWindow)
{
    HWND wnd = AllocateHWndEx(nullptr);
    ASSERT_NE(wnd, 0u);
    EXPECT_EQ(SendMessage(wnd, WM_USER + 1), 0);
    EXPECT_EQ(GetClassName(wnd), "TOxUtilWindow");
    DeallocateHWndEx(wnd);
}

TEST(OxUtils, GetTextHeightIsTheFontsLineHeight)
{
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas()->Font()->SetSize(10);
    const int small = GetTextHeight(bitmap.Canvas());
    bitmap.Canvas()->Font()->SetSize(20);
    const int large = GetTextHeight(bitmap.Canvas());
    EXPECT_GT(small, 0);
    EXPECT_GT(large, small + small / 2);
}

namespace {

struct TReleaseLog : TUnitVersioningProvider {
    std::vector<TModuleHandle>* Released;
    explicit TReleaseLog(std::vector<TModuleHandle>* R) : Released(R) {}
    void ReleaseModuleUnitVersioningInfo(TModuleHandle Instance) override { Released->push_back(Instance); }
};

} // namespace

TEST(UnitVersioning, RecordsGoUnderTheirModuleOnceAndLeaveWithIt)
{
    // The base utilities recorded themselves when the program started.
    TUnitVersion* own = GetUnitVersioning()->FindUnit("oxutils.cpp");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->LogPath(), "process");
    EXPECT_NE(GetUnitVersioning()->FindModule(OX_THIS_MODULE), nullptr);

    TUnitVersioning registry;
    std::vector<TModuleHandle> released;
    registry.RegisterProvider(std::make_unique<TReleaseLog>(&released));
    int a = 0, b = 0;
    registry.Add(&a, {"one.cpp", "1.1", "", "x", ""});
    registry.Add(&a, {"one.cpp", "1.1", "", "x", ""}); // the same record again
    registry.Add(&a, {"two.cpp", "1.4", "", "x", ""});
    registry.Add(&b, {"three.cpp", "2.0", "", "y", ""});
    EXPECT_EQ(registry.ModuleCount(), 2);
    EXPECT_EQ(registry.Count(), 3);
    EXPECT_EQ(registry.Items(2)->RCSfile(), "three.cpp");
    registry.UnregisterModule(&a);
    EXPECT_EQ(registry.ModuleCount(), 1);
    EXPECT_EQ(registry.FindUnit("two.cpp"), nullptr);
    EXPECT_EQ(released, (std::vector<TModuleHandle>{&a}));
}

namespace {

// A parent whose background painting fails.
class TFailingParent : public TPanel {
public:
    using TPanel::TPanel;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_ERASEBKGND) throw Exception("erase failed");
        TPanel::WndProc(Message);
    }
};

} // namespace

TEST(CopyParentImage, AParentThatFailsToPaint_LeavesTheCallersDCAsItWas)
{
    TFailingParent parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    auto* child = new TPanel(&parent);
    child->SetParent(&parent);
    child->SetBounds(10, 20, 30, 30);
    TBitmap picture(30, 30);
    HDC dc = picture.Canvas()->Handle();
    EXPECT_THROW(CopyParentImage(child, picture.Canvas()), Exception);
    TPoint origin{-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.X, 0);
    EXPECT_EQ(origin.Y, 0);
}
