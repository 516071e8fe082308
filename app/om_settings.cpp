#include "app/om_settings.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/Unit1.h"
#include "app/om_controls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/Desktop.h"

namespace {

const std::array<std::string, BannerCount> kBannerTexts = {
    "Ombrix Plus is out: faster conversions and batch profiles",
    "Ombrix: voted the friendliest converter by its users",
    "Visit the Ombrix web site for tips and new device profiles",
    "Ombrix Plus: half price this month",
    "Try Ombrix Plus free for 30 days",
    "Ombrix converts whole DVDs in one go",
    "Ombrix keeps every audio language and subtitle you choose",
    "Click here to compare the Ombrix editions",
    "Visit the Ombrix web site for tips and new device profiles",
    "New: Ombrix Audio turns any video into music files",
    "Ombrix Plus: upgrade at a special price",
    "Ombrix finds the black bars and crops them for you",
    "Click here to compare the Ombrix editions",
    "Visit the Ombrix web site for tips and new device profiles",
    "New: Ombrix Burner writes your videos back to disc",
    "Ombrix Plus: a licence for every computer in your home",
    "Ombrix sizes every video for your device's screen",
    "Click here to compare the Ombrix editions",
    "Visit the Ombrix web site for tips and new device profiles",
};

bool OpenOnDesktop(const std::function<bool(const std::string&)>& Open, const std::string& Target)
{
    try {
        return Open ? Open(Target) : OpenWithDesktop(Target);
    } catch (const Exception&) {
        // What the opener then makes of the page or document is its own business.
    }
    return true;
}

// No line the program writes is longer than a path can be.
constexpr std::size_t kSettingsLineLimit = 4096;
constexpr std::size_t kSettingsLines = 4;

// The first four lines of the file, read no further than four lines of ours need: a damaged file of
// any size costs no more. A line longer than any of ours comes back empty, which no reader takes.
std::vector<std::string> ReadSettingsLines(std::istream& In)
{
    std::vector<std::string> lines;
    std::string line;
    bool overlong = false;
    std::size_t budget = kSettingsLines * (kSettingsLineLimit + 2);
    const auto endLine = [&] {
        lines.push_back(overlong ? std::string() : line);
        line.clear();
        overlong = false;
    };
    int c = 0;
    while (lines.size() < kSettingsLines && budget > 0 && (c = In.get()) != std::char_traits<char>::eof()) {
        --budget;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && In.peek() == '\n') {
                In.get();
                --budget;
            }
            endLine();
        } else if (line.size() < kSettingsLineLimit) {
            line += static_cast<char>(c);
        } else {
            overlong = true;
        }
    }
    // A last line without its line end counts, unless the reading stopped inside it.
    if (lines.size() < kSettingsLines && (!line.empty() || overlong)) {
        overlong = overlong || budget == 0;
        endLine();
    }
    if (!lines.empty() && lines[0].compare(0, 3, "\xEF\xBB\xBF") == 0)
        lines[0].erase(0, 3);
    return lines;
}

// A destination is taken from the file only when it names a folder, or a place where one could be
// made: an absolute path of printable text whose nearest existing part is a folder. A relative one
// would be made in whatever folder the program was started from.
bool IsUsableDestination(const std::string& Line)
{
    if (Line.empty() || Line[0] != '/')
        return false;
    for (const char c : Line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    std::filesystem::path place(Line);
    std::error_code error;
    for (;;) {
        const std::filesystem::file_status status = std::filesystem::status(place, error);
        if (std::filesystem::exists(status))
            return std::filesystem::is_directory(status);
        if (place == place.parent_path())
            return false;
        place = place.parent_path();
    }
}

} // namespace

const char* const BannerPage = "https://www.ombrix.example/compare.html";

std::string SettingsFileName(const std::string& WorkFolder)
{
    return WorkFolder + "settings.omr";
}

bool SaveSettings(const std::string& WorkFolder, const TSettingsControls& Controls)
{
    TStringList mySettings;
    mySettings.Add(Controls.devicebox ? Controls.devicebox->Text() : std::string());
    mySettings.Add(IntToStr(Controls.vq ? Controls.vq->Value() : 0));
    mySettings.Add(Controls.skskinlabel1 ? Controls.skskinlabel1->ProgressText() : std::string());
    mySettings.Add(Controls.ClosedCaptions && Controls.ClosedCaptions() ? "CC ON" : "CC OFF");
    // Written beside the old file and moved over it, so a failed write never leaves half a file.
    const std::string target = SettingsFileName(WorkFolder);
    const std::string scratch = target + ".new";
    try {
        mySettings.SaveToFile(scratch);
    } catch (const Exception&) {
        std::remove(scratch.c_str());
        return false;
    }
    std::error_code error;
    std::filesystem::rename(scratch, target, error);
    if (error) {
        std::remove(scratch.c_str());
        return false;
    }
    return true;
}

bool LoadSettings(const std::string& WorkFolder, TSettingsControls& Controls)
{
    const std::string file = SettingsFileName(WorkFolder);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::vector<std::string> mySettings = ReadSettingsLines(in);
    const auto line = [&mySettings](std::size_t Index) { return Index < mySettings.size() ? mySettings[Index] : std::string(); };
    if (Controls.devicebox) {
        TStrings& items = Controls.devicebox->Items();
        for (int i = 0; i < items.Count(); ++i)
            if (items[i] == line(0))
                Controls.devicebox->SetItemIndex(i);
    }
    if (Controls.deviceboxChange)
        Controls.deviceboxChange();
    // A quality that is not a whole number (a garbled file) keeps the device's default.
    int quality = 0;
    if (Controls.vq && TryStrToInt(Trim(line(1)), quality))
        Controls.vq->SetValue(quality);
    if (Controls.vqChange)
        Controls.vqChange();
    if (Controls.skskinlabel1 && IsUsableDestination(line(2)))
        Controls.skskinlabel1->SetProgressText(line(2));
    if (mySettings.size() > 3 && Pos("on", LowerCase(line(3))) > 0 && Controls.SetClosedCaptions)
        Controls.SetClosedCaptions(true);
    return true;
}

const std::string& BannerText(int Index)
{
    return kBannerTexts[static_cast<std::size_t>(Index >= 0 && Index < BannerCount ? Index : 0)];
}

void TBanner::Tick()
{
    if (SetCaption)
        SetCaption(BannerText(FBannerIndex));
    FBannerIndex = FBannerIndex + 1 >= BannerCount ? 0 : FBannerIndex + 1;
}

bool TBanner::Click()
{
    return OpenOnDesktop(Open, BannerPage);
}

std::string ProgramFolder()
{
    std::array<char, 4096> path{};
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0)
        return "./";
    std::string exe(path.data(), static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

bool OpenHelp(const std::function<bool(const std::string&)>& Open)
{
    return OpenOnDesktop(Open, ProgramFolder() + "help.pdf");
}
