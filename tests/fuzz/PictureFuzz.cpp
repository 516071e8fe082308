// libFuzzer entry point for the picture readers beyond the plain BMP and JPEG decoders: icons, pictures
// stored inside a form (a picture, a button's glyph, a tray icon), the skin's own BMP reader, and the
// picture classes read from a stream. The first byte chooses the reader; the rest is the data.
// Data that is no picture raises EInvalidGraphic (or the form reader's errors); a crash, a hang, a
// leak, memory out of proportion to the data or a sanitizer report is a finding, and so is a picture
// read as empty without a complaint.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzStoredForm.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TJPEGImage.h"
#include "skin/data/SkinBudget.h"
#include "skin/data/TskCompressedStoredSkin.h"

namespace {

// A form holding one component of Class whose Property is the data, as the form designer stores it.
std::string FormWith(const char* Class, const char* Property, const std::string& Data)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "object Form: TForm\n  object Holder: " + std::string(Class) + "\n    " + Property + " = {";
    for (std::size_t i = 0; i < Data.size(); ++i) {
        if (i % 32 == 0)
            text += "\n      ";
        text += digits[static_cast<std::uint8_t>(Data[i]) >> 4];
        text += digits[static_cast<std::uint8_t>(Data[i]) & 15];
    }
    return text + "}\n  end\nend\n";
}

// Loads Graphic from the data; a picture that loads must hold something.
void LoadGraphic(TGraphic& Graphic, const std::string& Data)
{
    TMemoryStream stream;
    stream.WriteBuffer(Data.data(), static_cast<std::int64_t>(Data.size()));
    stream.SetPosition(0);
    try {
        Graphic.LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        return;
    }
    if (Graphic.Empty())
        __builtin_trap();
}

void ReadSkinPicture(const std::string& Data)
{
    TMemoryStream stream;
    stream.WriteBuffer(Data.data(), static_cast<std::int64_t>(Data.size()));
    stream.SetPosition(0);
    try {
        const std::int64_t fileSize = CheckSkinBitmap(stream);
        if (stream.Position() != 0 || fileSize > static_cast<std::int64_t>(Data.size()))
            __builtin_trap();
        TBitmap bitmap;
        TskSkinBudget budget;
        ReadSkinBitmap(stream, bitmap, budget);
        // The reader stops right after the file it checked.
        if (stream.Position() != fileSize || bitmap.Empty())
            __builtin_trap();
    } catch (const EInvalidGraphic&) {
    } catch (const ESkinTooLarge&) { // a picture past the whole skin's budget is refused, not read
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzstoredform::RegisterClassesOnce();
    if (size < 1)
        return 0;
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 7) {
    case 0: {
        TIcon icon;
        LoadGraphic(icon, body);
        break;
    }
    case 1:
        ReadSkinPicture(body);
        break;
    case 2:
        fuzzstoredform::ReadIntoPlainForm(FormWith("TImage", "Picture.Data", body));
        break;
    case 3:
        fuzzstoredform::ReadIntoPlainForm(FormWith("TskSkinSpeedButton", "Glyph.Data", body));
        break;
    case 4:
        fuzzstoredform::ReadIntoPlainForm(FormWith("TskTrayIcon", "Icon.Data", body));
        break;
    case 5: {
        TBitmap bitmap;
        LoadGraphic(bitmap, body);
        break;
    }
    default: {
        TJPEGImage jpeg;
        LoadGraphic(jpeg, body);
        break;
    }
    }
    return 0;
}
