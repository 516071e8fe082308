// e2e_formhost: opens a form description of the end-to-end suite's own as the program's main window, with
// every class the program registers (all skin components and controls), and runs the application until
// that window closes. Journeys use it for what the converter's own windows never show (a main menu on
// the frame, a menu bar, MDI children, a tray icon).
//
//   e2e_formhost FORM.dfm [SKIN[,SKIN...]]
//
// The description's root class may be any name but TForm's own: the host registers its form class under
// that name. SKIN is a skin ini (with its pictures beside it) or a
// compressed skin file; it goes to every skin data component of the form. Further skins after commas are
// what HostNextSkin switches to at run time, one after another.
//
// Events of the description may name these handlers of the form; each writes one line to standard
// output, which the journey reads:
//   HostClick     (any notify event)  "click <Name of the sender>"
//   HostNextSkin  (any notify event)  loads the next skin of the list into every skin data component, as
//                                     a skin changes at run time, and says "skin <file name>"; after the
//                                     last one it unloads the skin (the components are left empty, the
//                                     forms told as for any change) and says "skin none"
//   HostMakeChildren (an MDI form's OnShow, once)  makes three MDI children "Child1".."Child3" (captions
//               "Child 1".."Child 3"), each with a frame in the form's skin and a panel filling it in a
//               colour of its own (ChildColours), and says "children 3"; the last one has a menu of
//               its own, "&Tools" with "&Run" (which says "click mnuRun")
//   HostTile, HostCascade (notify events)  arrange the children and say "tile" / "cascade" followed by
//               each child's name and bounds in the client ("Child1 0,0,200,349")
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppClasses.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/FormParser.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

namespace {

std::string HostFormClass;
std::vector<std::string> HostSkins;   // the skins of the command line; the first is loaded at start
std::size_t HostSkinShown = 0;

bool LoadSkin(TskSkinData& Data, const std::string& Skin);

class THostForm : public TForm {
public:
    explicit THostForm(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this, HostFormClass); }

    void HostClick(TObject* Sender)
    {
        const auto* c = dynamic_cast<const TComponent*>(Sender);
        Say("click " + (c != nullptr ? c->Name() : std::string("?")));
    }

    void HostNextSkin(TObject*)
    {
        ++HostSkinShown;
        const bool unload = HostSkinShown >= HostSkins.size();
        for (int i = 0; i < ComponentCount(); ++i) {
            auto* data = dynamic_cast<TskSkinData*>(Components(i));
            if (data == nullptr) continue;
            if (!unload) {
                LoadSkin(*data, HostSkins[HostSkinShown]);
                continue;
            }
            data->BroadcastSkinMessage(WM_BEFORECHANGESKINDATA);
            data->ClearSkin();
            data->BroadcastSkinMessage(WM_CHANGESKINDATA);
            data->BroadcastSkinMessage(WM_AFTERCHANGESKINDATA);
        }
        Say(unload ? std::string("skin none") : "skin " + std::filesystem::path(HostSkins[HostSkinShown]).filename().string());
    }

    void HostMakeChildren(TObject*)
    {
        if (FChildrenMade || FormStyle() != fsMDIForm) return;
        FChildrenMade = true;
        static const TColor ChildColours[] = {0x000000C0, 0x0000A000, 0x00C00000};
        const TskFormFrame* frame = FindSkinFormComponent(this);
        for (int i = 1; i <= 3; ++i) {
            auto* child = new TForm(Application);
            child->SetName("Child" + std::to_string(i));
            child->SetCaption("Child " + std::to_string(i));
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(30 * i, 30 * i, 240, 180);
            auto* panel = new TPanel(child);
            panel->SetColor(ChildColours[i - 1]);
            panel->SetAlign(alClient);
            panel->SetParent(child);
            if (i == 3) GiveMenu(child);
            auto* childFrame = new TskFormFrame(child);
            if (frame != nullptr) childFrame->SetSkinData(frame->SkinData());
            child->Show();
        }
        Say("children " + std::to_string(MDIChildCount()));
    }
    void HostTile(TObject*)
    {
        Tile();
        SayArrangement("tile");
    }
    void HostCascade(TObject*)
    {
        Cascade();
        SayArrangement("cascade");
    }

    static void Say(const std::string& Line)
    {
        std::printf("%s\n", Line.c_str());
        std::fflush(stdout);
    }

private:
    // The last child's own menu, "&Tools" with "&Run" (group 5, so that it joins the main form's items
    // when merged); choosing Run says "click mnuRun".
    static void GiveMenu(TForm* Child)
    {
        auto* menu = new TMainMenu(Child);
        auto* tools = new TMenuItem(Child);
        tools->SetName("mnuTools");
        tools->SetCaption("&Tools");
        tools->SetGroupIndex(5);
        menu->Items()->Add(tools);
        auto* run = new TMenuItem(Child);
        run->SetName("mnuRun");
        run->SetCaption("&Run");
        run->OnClick = [](TObject*) { Say("click mnuRun"); };
        tools->Add(run);
        Child->SetMenu(menu);
    }
    void SayArrangement(const std::string& What)
    {
        std::string line = What;
        for (int i = 0; i < MDIChildCount(); ++i) {
            const TRect r = MDIChildren(i)->BoundsRect();
            line += " " + MDIChildren(i)->Name() + " " + std::to_string(r.Left) + "," + std::to_string(r.Top) + ","
                + std::to_string(r.Width()) + "," + std::to_string(r.Height());
        }
        Say(line);
    }
    bool FChildrenMade = false;
};

std::string ReadText(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    if (!in) throw Exception("cannot read " + Path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool EndsWith(const std::string& S, const std::string& Tail)
{
    return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

// Gives Skin to one skin data component: a skin ini (its pictures beside it) or a compressed skin file.
bool LoadSkin(TskSkinData& Data, const std::string& Skin)
{
    auto* stored = new TskCompressedStoredSkin(&Data);
    if (EndsWith(Skin, ".ini"))
        stored->BuildFromSkinIni(Skin);
    else if (!stored->LoadFromSkinFile(Skin))
        return false;
    Data.SetCompressedStoredSkin(stored);
    return !Data.SkinEmpty;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: e2e_formhost FORM.dfm [SKIN]\n");
        return 2;
    }
    std::string skin;
    if (argc == 3) {
        std::stringstream list(argv[2]);
        for (std::string one; std::getline(list, one, ',');)
            if (!one.empty()) HostSkins.push_back(one);
        if (!HostSkins.empty()) skin = HostSkins.front();
    }
    try {
        RegisterAppClasses();
        const std::string text = ReadText(argv[1]);
        HostFormClass = ParseFormText(text).ClassName;
        if (HostFormClass.empty() || FindClassInfo(HostFormClass) != nullptr) {
            std::fprintf(stderr, "e2e_formhost: the form's class must be a name of its own, not %s\n", HostFormClass.c_str());
            return 2;
        }
        RegisterFormResource(HostFormClass, text);
        RegisterClass<THostForm, TForm>(HostFormClass)
            .Handler("HostClick", &THostForm::HostClick)
            .Handler("HostNextSkin", &THostForm::HostNextSkin)
            .Handler("HostMakeChildren", &THostForm::HostMakeChildren)
            .Handler("HostTile", &THostForm::HostTile)
            .Handler("HostCascade", &THostForm::HostCascade);

        Application->SetTitle("e2e_formhost");
        Application->Initialize();
        THostForm* form = nullptr;
        Application->CreateForm(form);
        if (!skin.empty()) {
            for (int i = 0; i < form->ComponentCount(); ++i)
                if (auto* data = dynamic_cast<TskSkinData*>(form->Components(i)); data != nullptr && !LoadSkin(*data, skin)) {
                    std::fprintf(stderr, "e2e_formhost: the skin %s did not load\n", skin.c_str());
                    return 2;
                }
        }
        THostForm::Say("ready");
        Application->Run();
        DoneApplication();
    } catch (const Exception& e) {
        std::fprintf(stderr, "e2e_formhost: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
