#include "platform/vcl/TForm.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TApplication.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TCustomLabel.h"
#include "platform/vcl/TCustomListBox.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TypInfo.h"

namespace {

// A clickable control that closes its modal form with a result, as a dialog button does.
class TModalButton : public TCustomControl {
public:
    explicit TModalButton(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 75, 25); }
    int ModalResult = mrNone;
    void Click() override
    {
        TCustomControl::Click();
        if (ModalResult != mrNone) GetParentForm()->SetModalResult(ModalResult);
    }
};

class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this, "TTestForm"); }
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    std::vector<std::string> Log;
    void FormCreate(TObject*) { Log.push_back("create"); }
    void FormShow(TObject*) { Log.push_back("show"); }
    void FormClose(TObject*, TCloseAction& Action)
    {
        Log.push_back("close");
        Action = caHide;
    }
    void Panel1Click(TObject*) { Log.push_back("panel click"); }
    void Loaded() override
    {
        TForm::Loaded();
        Log.push_back("loaded, panel has " + std::to_string(Panel1 ? Panel1->ControlCount() : -1) + " children");
    }
};

const bool gRegistered = [] {
    RegisterClass<TTestForm, TForm>("TTestForm")
        .Field("Panel1", &TTestForm::Panel1)
        .Field("Label1", &TTestForm::Label1)
        .Handler("FormCreate", &TTestForm::FormCreate)
        .Handler("FormShow", &TTestForm::FormShow)
        .Handler("FormClose", &TTestForm::FormClose)
        .Handler("Panel1Click", &TTestForm::Panel1Click);
    return true;
}();

const char* kDescription = R"(object TestForm: TTestForm
  Left = 100
  Top = 50
  BorderStyle = bsNone
  Caption = 'Test form'
  ClientHeight = 120
  ClientWidth = 200
  Color = clBtnFace
  Font.Name = 'Arial'
  Font.Style = [fsBold]
  OnCreate = FormCreate
  OnShow = FormShow
  OnClose = FormClose
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 200
    Height = 41
    Align = alTop
    BevelOuter = bvLowered
    Caption = 'Panel'
    OnClick = Panel1Click
    object Label1: TLabel
      Left = 8
      Top = 8
      Caption = 'Na&me'
    end
  end
  object Timer1: TTimer
    Interval = 250
    Enabled = False
  end
  object ListBox1: TListBox
    Top = 41
    Height = 40
    Items.Strings = (
      'avi'
      'mpg'
      '')
  end
  object Image1: TImage
    Top = 90
    AutoSize = True
    Picture.Data = {PICTURE}
  end
end
)";

// The stored form of a picture: the class name, the size of the BMP file, the file.
std::string PictureHex()
{
    TBitmap b(3, 2);
    b.Canvas()->SetPixels(2, 1, clRed);
    TMemoryStream bmp;
    b.SaveToStream(bmp);
    std::string bytes = std::string("\x07TBitmap", 8);
    const auto size = static_cast<std::int32_t>(bmp.Size());
    bytes.append(reinterpret_cast<const char*>(&size), 4);
    bytes.append(static_cast<const char*>(bmp.Memory()), static_cast<size_t>(bmp.Size()));
    std::string hex;
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string Description()
{
    std::string d = kDescription;
    d.replace(d.find("{PICTURE}"), 9, "{\n      " + PictureHex() + "}");
    return d;
}

} // namespace

TEST(TFormReading, DescriptionBuildsNestedControlsWithFieldsAndEvents)
{
    THeadlessDriver driver;
    RegisterFormResource("TTestForm", Description());
    TTestForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form->Panel1, nullptr);
    EXPECT_EQ(form->Caption(), "Test form");
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->Panel1->Parent(), form);
    EXPECT_EQ(form->Label1->Parent(), form->Panel1);
    EXPECT_EQ(form->Panel1->Width(), 200);
    EXPECT_TRUE(form->Panel1->Font()->Style().Contains(fsBold)); // from the form, through ParentFont
    auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 250u);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"loaded, panel has 1 children", "create"}));
    form->Panel1->Click();
    EXPECT_EQ(form->Log.back(), "panel click");
    auto* list = dynamic_cast<TListBox*>(form->FindComponent("ListBox1"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Strings(1), "mpg");
    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 3); // AutoSize, after Loaded
    EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(2, 1), clRed);
    form->Free();
}

TEST(TFormShowing, AutoSizeFitsTheWindowRoundItsContent)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    auto* root = new TPanel(&form);
    root->SetParent(&form);
    root->SetBounds(0, 0, 600, 300);
    form.SetAutoSize(true);
    EXPECT_EQ(form.ClientWidth(), 600);
    EXPECT_EQ(form.ClientHeight(), 300);
    form.SetAutoSize(false);
    root->SetAlign(alClient);
    form.SetBounds(0, 0, 700, 400);
    EXPECT_EQ(root->Width(), 700);
}

TEST(TFormShowing, ShowPlacesTheFormAndFiresOnShow)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    form.SetPosition(poScreenCenter);
    int shows = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(form.Left(), (Screen->Width() - 200) / 2);
    form.Hide();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(TFormShowing, CentredOnAFormNearTheScreensEdge_StaysOnTheScreen)
{
    THeadlessDriver driver;
    TForm owner(nullptr);
    owner.SetBorderStyle(bsNone);
    owner.SetBounds(Screen->Width() - 100, Screen->Height() - 50, 200, 100);
    TForm form(&owner);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    form.SetPosition(poOwnerFormCenter);
    form.Show();
    EXPECT_EQ(form.Left(), Screen->Width() - 300);
    EXPECT_EQ(form.Top(), Screen->Height() - 200);
}

TEST(TFormModal, ShowModalReturnsTheResultOfAClickedButton)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(100, 100, 200, 100);
    auto* button = new TModalButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 30, 75, 25);
    button->ModalResult = mrOk;
    // Once the modal loop runs, a "user" clicks the button.
    const UINT kClickNow = WM_USER + 500;
    form.OnShow = [&](TObject*) { PostMessage(Application->Handle(), kClickNow, 0, 0); };
    Application->OnMessage = [&](TMsg& m, bool& handled) {
        if (m.message != kClickNow) return;
        handled = true;
        driver.Click({100 + 30, 100 + 40});
    };
    int closes = 0;
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    const int result = form.ShowModal();
    Application->OnMessage = nullptr;
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.Visible());
}

TEST(TFormModal, TheDialogBelongsToTheActiveFormWhileUpAndHandsTheKeyboardBack)
{
    THeadlessDriver driver;
    TForm main(nullptr);
    main.SetBorderStyle(bsNone);
    main.SetBounds(0, 0, 300, 200);
    main.Show();
    driver.ProcessMessages();
    ASSERT_EQ(GetActiveWindow(), main.Handle());

    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsNone);
    dialog.SetBounds(50, 50, 100, 80);
    HWND owner = 0;
    bool modalOnDesktop = false, mainWaits = false;
    dialog.OnShow = [&](TObject*) { PostMessage(Application->Handle(), WM_USER + 501, 0, 0); };
    Application->OnMessage = [&](TMsg& m, bool& handled) {
        if (m.message != WM_USER + 501) return;
        handled = true;
        owner = static_cast<HWND>(GetWindowLongPtr(dialog.Handle(), GWLP_HWNDPARENT));
        THeadlessWindow* top = THeadlessWindow::Of(dialog.Handle());
        modalOnDesktop = top != nullptr && top->Modal && top->Owner == THeadlessWindow::Of(main.Handle());
        mainWaits = !IsWindowEnabled(main.Handle());
        dialog.SetModalResult(mrCancel);
    };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    Application->OnMessage = nullptr;
    EXPECT_EQ(owner, main.Handle());
    EXPECT_TRUE(modalOnDesktop);
    EXPECT_TRUE(mainWaits);
    // Closed, the dialog belongs to nobody again and the form the user came from has the keyboard.
    EXPECT_EQ(GetWindowLongPtr(dialog.Handle(), GWLP_HWNDPARENT), 0);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(GetActiveWindow(), main.Handle());
}

TEST(TFormModal, ShowModalOfAVisibleFormIsRefused)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.Show();
    EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

TEST(TFormClosing, CloseQueryCanRefuseAndCaFreeReleasesTheForm)
{
    THeadlessDriver driver;
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->Show();
    bool allow = false;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->Close();
    EXPECT_TRUE(form->Visible());
    allow = true;
    bool destroyed = false;
    form->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Close();
    EXPECT_FALSE(destroyed); // freed only once the queued messages are handled
    driver.ProcessMessages();
    EXPECT_TRUE(destroyed);
}

TEST(TFormExceptions, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 100, 100);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 50, 50);
    panel->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    std::string reported;
    Application->OnException = [&](TObject*, Exception& e) { reported = e.Message(); };
    form.Show();
    driver.ProcessMessages();
    driver.Click({10, 10});
    Application->OnException = nullptr;
    EXPECT_EQ(reported, "'x' is not a valid integer value");
    int clicks = 0;
    panel->OnClick = [&](TObject*) { ++clicks; };
    driver.Click({10, 10});
    EXPECT_EQ(clicks, 1);
}

TEST(TFormKeys, TabMovesTheFocusInTabOrder)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* a = new TPanel(&form);
    auto* b = new TPanel(&form);
    for (TPanel* p : {a, b}) {
        p->SetParent(&form);
        p->SetTabStop(true);
    }
    form.Show();
    driver.ProcessMessages();
    a->SetFocus();
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(form.ActiveControl(), a);
    driver.Press(VK_TAB);
    EXPECT_TRUE(b->Focused());
    driver.Press(VK_TAB, true);
    EXPECT_TRUE(a->Focused());
}

TEST(TFormStates, WindowStateFollowsTheDisplay_AndTheMainFormTakesTheApplicationWindowAlong)
{
    THeadlessDriver driver;
    ASSERT_EQ(Application->MainForm(), nullptr) << "each test runs in a program of its own";
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetBounds(10, 10, 200, 100);
    main->Show();
    // Whoever watches the application's window (a tray icon) hears of the program's minimize there.
    const HWND app = Application->Handle();
    std::vector<WPARAM> told;
    LONG_PTR old = 0;
    const LONG_PTR mine = MakeObjectInstance([&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_SIZE) told.push_back(w);
        return CallWindowProc(old, h, m, w, l);
    });
    old = SetWindowLongPtr(app, GWLP_WNDPROC, mine);

    driver.MinimizedByDesktop(main->Handle());
    EXPECT_EQ(main->WindowState(), wsMinimized);
    driver.RestoredByDesktop(main->Handle());
    EXPECT_EQ(main->WindowState(), wsNormal) << "the taskbar brought it back";
    // The program minimizes it again: the state was not left stale by the taskbar's restore.
    Application->Minimize();
    EXPECT_TRUE(IsIconic(main->Handle()));
    Application->Restore();
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_EQ(told, (std::vector<WPARAM>{SIZE_MINIMIZED, SIZE_RESTORED, SIZE_MINIMIZED, SIZE_RESTORED}));

    SetWindowLongPtr(app, GWLP_WNDPROC, old);
    FreeObjectInstance(mine);
    main->Free();
}
