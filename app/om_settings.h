#pragma once
// Three small services of the main window: the settings file that keeps the device, quality,
// destination and closed-caption choice between runs, the banner whose text rotates every five
// seconds, and the help document.
#include <functional>
#include <string>

class IOmComboBox;
class IOmSlider;
class IOmGauge;

// What the settings file is read into and written from.
struct TSettingsControls {
    IOmComboBox* devicebox = nullptr;
    IOmSlider* vq = nullptr;
    IOmGauge* skskinlabel1 = nullptr; // the destination folder is its ProgressText
    std::function<bool()> ClosedCaptions;
    std::function<void(bool)> SetClosedCaptions;
    // The window's handlers that follow a device or quality choice.
    std::function<void()> deviceboxChange;
    std::function<void()> vqChange;
};

// The file's path in the work folder.
std::string SettingsFileName(const std::string& WorkFolder);

// Writes the four lines; the old file stays whole until the new one is complete. False when it
// could not be written (nothing is reported to the user).
bool SaveSettings(const std::string& WorkFolder, const TSettingsControls& Controls);
// Reads the file when it exists; false when there is none. Lines that do not fit (an unknown
// device, a quality that is not a number, a destination that is no absolute path of a folder or of a
// place for one) leave that choice as it was. No more is read than four lines of ours take.
bool LoadSettings(const std::string& WorkFolder, TSettingsControls& Controls);

// The banner across the bottom of the window: 19 lines in a fixed cycle.
constexpr int BannerCount = 19;
const std::string& BannerText(int Index);

class TBanner {
public:
    // Shows the current line, then moves to the next; after the last comes the first again.
    void Tick();
    // Opens the product comparison page in the desktop's browser; false when the desktop has no opener.
    bool Click();
    int BannerIndex() const { return FBannerIndex; }
    void SetBannerIndex(int Value) { FBannerIndex = Value; }

    std::function<void(const std::string&)> SetCaption;
    // How a page or document is opened (false: no opener); the desktop's own when none is given.
    std::function<bool(const std::string&)> Open;

private:
    int FBannerIndex = 0;
};

// The address the banner opens.
extern const char* const BannerPage;

// Opens "help.pdf" from the program's folder with Open (the desktop's reader when none is given);
// false when the desktop has no opener.
bool OpenHelp(const std::function<bool(const std::string&)>& Open = {});
// The folder the program's executable lies in, with a trailing "/".
std::string ProgramFolder();
