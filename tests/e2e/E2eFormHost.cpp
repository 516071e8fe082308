// e2e_formhost: opens a form description of the end-to-end suite's own as the program's main window, with
// every class the program registers (all skin components and controls), and runs the application until
// that window closes. Journeys use it for what the converter's own windows never show (a main menu on
// the frame, a menu bar, MDI children, a tray icon).
//
//   e2e_formhost FORM.dfm [SKIN]
//
// The description's root class may be any name but TForm's own: the host registers its form class under
// that name. SKIN is a skin ini (with its pictures beside it) or a
// compressed skin file; it goes to every skin data component of the form.
//
// Events of the description may name these handlers of the form; each writes one line to standard
// output, which the journey reads:
//   HostClick   (any notify event)  "click <Name of the sender>"
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/AppClasses.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/FormParser.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"

namespace {

std::string HostFormClass;

class THostForm : public TForm {
public:
    explicit THostForm(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this, HostFormClass); }

    void HostClick(TObject* Sender)
    {
        const auto* c = dynamic_cast<const TComponent*>(Sender);
        Say("click " + (c != nullptr ? c->Name() : std::string("?")));
    }

    static void Say(const std::string& Line)
    {
        std::printf("%s\n", Line.c_str());
        std::fflush(stdout);
    }
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
    const std::string skin = argc == 3 ? argv[2] : "";
    try {
        RegisterAppClasses();
        const std::string text = ReadText(argv[1]);
        HostFormClass = ParseFormText(text).ClassName;
        if (HostFormClass.empty() || FindClassInfo(HostFormClass) != nullptr) {
            std::fprintf(stderr, "e2e_formhost: the form's class must be a name of its own, not %s\n", HostFormClass.c_str());
            return 2;
        }
        RegisterFormResource(HostFormClass, text);
        RegisterClass<THostForm, TForm>(HostFormClass).Handler("HostClick", &THostForm::HostClick);

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
