// libFuzzer entry point for the settings file: the fuzzer's bytes are the file the main window reads its
// device, quality, destination and closed-caption choice from at start. Whatever it holds, it is read
// into the window's controls without a crash, a hang or a sanitizer report, and what was read survives
// being written and read back unchanged.
#include <fstream>

#include "FuzzForm.h"

#include "app/om_controls.h"
#include "app/om_settings.h"

namespace {

struct TChoices {
    std::string Device;
    int Quality = 0;
    std::string Destination;
    bool ClosedCaptions = false;
    bool operator==(const TChoices&) const = default;
};

TChoices Choices(const TSettingsControls& Controls)
{
    return {Controls.devicebox ? Controls.devicebox->Text() : std::string(), Controls.vq ? Controls.vq->Value() : 0,
            Controls.skskinlabel1 ? Controls.skskinlabel1->ProgressText() : std::string(),
            Controls.ClosedCaptions && Controls.ClosedCaptions()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TForm1& form = fuzzform::FreshForm({});
    static const std::string folder = [&form] {
        const std::string work = form.WorkFolder.empty() ? fuzzform::HomeFolder() + "/" : form.WorkFolder;
        std::filesystem::create_directories(work);
        return work;
    }();
    std::ofstream(SettingsFileName(folder), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    TSettingsControls controls = form.SettingsControls();
    if (!LoadSettings(folder, controls))
        __builtin_trap();
    const TChoices read = Choices(controls);
    if (!SaveSettings(folder, controls) || !LoadSettings(folder, controls))
        __builtin_trap();
    if (!(Choices(controls) == read))
        __builtin_trap();
    return 0;
}
