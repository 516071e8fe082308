#include "skin/data/TskCompressedStoredSkin.h"

#include <cstring>

#include "platform/gfx/EInvalidGraphic.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/SkinBudget.h"
#include "skin/data/SkinIni.h"
#include "skin/data/ZlibStreams.h"

namespace {

// The name part of a path as the designer gives it: after the last "\" or ":" (and "/" here).
std::string NamePart(const std::string& path)
{
    const auto cut = path.find_last_of("\\:/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::uint32_t Le32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void WriteInt32(TStream& stream, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                    static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    stream.WriteBuffer(bytes, 4);
}

// Unicode code points of the bytes 0x80..0x9F in Windows-1252; 0 where the code page has no character
// (those bytes are kept as the C1 control of the same number).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when it is not valid UTF-8.
int DecodeUtf8(const std::string& s, std::size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = b0 >= 0xF0 && b0 < 0xF5 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 && b0 < 0xE0 ? 2 : 0;
    if (len == 0 || i + len > s.size())
        return 0;
    cp = b0 & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b & 0x3F);
    }
    return len;
}

// The sides the header of a BMP file gives (the height without its sign); 0 x 0 for a file that is no
// readable BMP file, whose load then says what is wrong.
std::pair<std::int64_t, std::int64_t> BmpFileSides(const std::string& path)
{
    unsigned char head[26] = {};
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        if (file.Read(head, sizeof head) != static_cast<std::int64_t>(sizeof head) || head[0] != 'B' || head[1] != 'M')
            return {0, 0};
    } catch (const Exception&) {
        return {0, 0};
    }
    // The old core header has 16-bit sides; every later one 32-bit.
    if (Le32(head + 14) == 12)
        return {head[18] | head[19] << 8, head[20] | head[21] << 8};
    const auto height = static_cast<std::int32_t>(Le32(head + 22));
    return {static_cast<std::int32_t>(Le32(head + 18)), height < 0 ? -static_cast<std::int64_t>(height) : height};
}

} // namespace

void RegisterCompressedStoredSkin()
{
    RegisterClass<TskCompressedStoredSkin, TComponent>("TskCompressedStoredSkin")
        .Prop("Description", &TskCompressedStoredSkin::Description, &TskCompressedStoredSkin::SetDescription)
        .Prop("FileName", &TskCompressedStoredSkin::FileName, &TskCompressedStoredSkin::SetFileName)
        .Prop("CompressedFileName", &TskCompressedStoredSkin::CompressedFileName,
            &TskCompressedStoredSkin::SetCompressedFileName);
}

std::string Cp1252ToUtf8(const std::string& Text)
{
    std::string out;
    out.reserve(Text.size());
    for (char c : Text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] != 0)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(const std::string& Text)
{
    std::string out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size();) {
        const auto b = static_cast<unsigned char>(Text[i]);
        char32_t cp = 0;
        const int len = b < 0x80 ? 0 : DecodeUtf8(Text, i, cp);
        if (len == 0) {
            // ASCII, or a byte that is no UTF-8: the text is taken to be Windows-1252 already.
            out += Text[i++];
            continue;
        }
        i += len;
        char mapped = '?';
        if (cp >= 0xA0 && cp <= 0xFF) {
            mapped = static_cast<char>(cp);
        } else if (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0) {
            mapped = static_cast<char>(cp);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kCp1252High[k] != 0 && kCp1252High[k] == cp)
                    mapped = static_cast<char>(0x80 + k);
        }
        out += mapped;
    }
    return out;
}

namespace {

struct TSkinBitmapHeader {
    std::int64_t FileSize = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

TSkinBitmapHeader CheckedSkinBitmapHeader(TStream& Stream)
{
    const std::int64_t start = Stream.Position();
    const std::int64_t left = Stream.Size() - start;
    unsigned char head[54];
    if (left < 54 || Stream.Read(head, 54) != 54)
        throw EInvalidGraphic("Bitmap image is not valid: the skin data ends inside a bitmap header");
    Stream.SetPosition(start);
    if (head[0] != 'B' || head[1] != 'M')
        throw EInvalidGraphic("Bitmap image is not valid: no bitmap signature");
    const std::int64_t fileSize = Le32(head + 2);
    const std::int64_t offBits = Le32(head + 10);
    const std::int64_t infoSize = Le32(head + 14);
    const auto width = static_cast<std::int32_t>(Le32(head + 18));
    const auto height = static_cast<std::int32_t>(Le32(head + 22));
    const int bitCount = head[28] | head[29] << 8;
    const std::uint32_t compression = Le32(head + 30);
    // The file's own size is the only thing that tells where the next field of the packed image
    // starts, so it has to be sane before anything is read by it.
    if (!(54 <= offBits && offBits <= fileSize && fileSize <= left))
        throw EInvalidGraphic("Bitmap image is not valid: its sizes do not fit the skin data");
    if (infoSize < 40)
        throw EInvalidGraphic("Bitmap image is not valid: unsupported bitmap header");
    const std::int64_t absHeight = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (width < 1 || width > 16384 || absHeight < 1 || absHeight > 16384)
        throw EInvalidGraphic("Bitmap image is not valid: picture size out of range");
    constexpr std::uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        const std::int64_t stride = (static_cast<std::int64_t>(width) * bitCount + 31) / 32 * 4;
        if (bitCount < 1 || stride * absHeight > fileSize - offBits)
            throw EInvalidGraphic("Bitmap image is not valid: the pixel data is cut short");
    }
    return {fileSize, width, absHeight};
}

} // namespace

std::string PackedSkinTooLargeReason()
{
    return "The skin is larger than " + std::to_string(MaxPackedSkinSize / (1024 * 1024)) + " MB unpacked";
}

std::int64_t CheckSkinBitmap(TStream& Stream)
{
    return CheckedSkinBitmapHeader(Stream).FileSize;
}

void ReadSkinBitmap(TStream& Stream, TBitmap& Bitmap, TskSkinBudget& Budget)
{
    const std::int64_t start = Stream.Position();
    const TSkinBitmapHeader header = CheckedSkinBitmapHeader(Stream);
    // A one-bit picture of the largest sides is 32 MB in the file and 1 GB once decoded.
    Budget.ChargePicture(header.Width, header.Height);
    const std::int64_t fileSize = header.FileSize;
    // The codec reads no more than the file size its header gives, which the check has held against
    // the bytes that are there; so it cannot read into the next picture, and the picture is decoded
    // where it lies instead of being copied out first.
    Bitmap.LoadFromStream(Stream);
    Stream.SetPosition(start + fileSize);
}

// ---------------------------------------------------------------------------------------------------

TskCompressedStoredSkin::TskCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), FStoredData(std::make_unique<TMemoryStream>())
{
}

TskCompressedStoredSkin::~TskCompressedStoredSkin() = default;

void TskCompressedStoredSkin::SetFileName(const std::string& Value)
{
    const auto state = ComponentState();
    if (state.Contains(csDesigning) && !state.Contains(csLoading) && !state.Contains(csReading)) {
        // Built first: a refused ini keeps both the old skin and the old name.
        BuildFromSkinIni(Value);
        FFileName = NamePart(Value);
    } else {
        FFileName = Value;
    }
}

void TskCompressedStoredSkin::SetCompressedFileName(const std::string& Value)
{
    const auto state = ComponentState();
    if (state.Contains(csDesigning) && !state.Contains(csLoading) && !state.Contains(csReading)) {
        LoadFromSkinFile(Value);
        FCompressedFileName = NamePart(Value);
    } else {
        FCompressedFileName = Value;
    }
}

void TskCompressedStoredSkin::DefineProperties(TFiler* Filer)
{
    TComponent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "CompressedData", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, true);
}

void TskCompressedStoredSkin::ReadData(TStream& Stream)
{
    FStoredData->Clear();
    // A count of 0 would make CopyFrom copy the whole stream from its start; an empty property is empty.
    const std::int64_t count = Stream.Size() - Stream.Position();
    if (count > 0)
        FStoredData->CopyFrom(Stream, count);
    FStoredData->SetPosition(0);
}

void TskCompressedStoredSkin::WriteData(TStream& Stream)
{
    FStoredData->SaveToStream(Stream);
}

bool TskCompressedStoredSkin::IsStoredSkinEmpty() const
{
    return FStoredData->Size() == 0;
}

bool TskCompressedStoredSkin::DecompressTo(TStream& Stream) const
{
    try {
        return DecompressStream(*FStoredData, Stream, MaxPackedSkinSize);
    } catch (const EDecompressionLimit&) {
        throw EDecompressionLimit(PackedSkinTooLargeReason());
    }
}

void TskCompressedStoredSkin::WriteSkinFileStream(TStream& Stream) const
{
    WriteInt32(Stream, WrittenSkinVersion);
    WriteInt32(Stream, static_cast<std::int32_t>(FStoredData->Size()));
    FStoredData->SaveToStream(Stream);
}

bool TskCompressedStoredSkin::ReadSkinFileStream(TStream& Stream)
{
    FStoredData->Clear();
    Stream.SetPosition(0);
    unsigned char head[8];
    if (Stream.Read(head, 8) != 8)
        return false;
    const auto version = static_cast<std::int32_t>(Le32(head));
    const auto length = static_cast<std::int32_t>(Le32(head + 4));
    if (version > MaxSkinVersion)
        return false;
    // A length of 0 or below, or one beyond the data, is a damaged file: copying "N bytes" would copy
    // the whole stream or read past its end.
    if (length <= 0 || length > Stream.Size() - Stream.Position())
        return false;
    FStoredData->CopyFrom(Stream, length);
    FStoredData->SetPosition(0);
    return true;
}

bool TskCompressedStoredSkin::LoadFromSkinFile(const std::string& AFileName)
{
    TFileStream file(AFileName, fmOpenRead | fmShareDenyWrite);
    return ReadSkinFileStream(file);
}

void TskCompressedStoredSkin::BuildFromSkinIni(const std::string& AFileName)
{
    TStringList lines;
    lines.LoadFromFile(AFileName);
    // The text is packed in Windows-1252, the encoding the loader reads; the file may be UTF-8.
    const std::string packedText = Utf8ToCp1252(lines.Text());
    TStringList parsed;
    parsed.SetText(Cp1252ToUtf8(packedText));
    TMemIniFile ini;
    ini.SetStrings(parsed);
    if (!IsSkinIniValid(ini))
        throw Exception("\"" + AFileName +
                        "\" is not a skin ini: it needs the sections [VERSION], [PICTURES], [FORMINFO], "
                        "[SKINOBJECTS] and [SKINCONTROLS]");

    const std::string folder = ExtractFilePath(AFileName);
    // The pictures count against the loader's budget as the loader counts them, so that a skin it would
    // refuse for them is not written.
    TskSkinBudget budget;
    auto loadPicture = [&](const std::string& name, TBitmap& bitmap) {
        const std::string path = folder + name;
        // Before it is decoded, from its header: a file of 32 MB can decode to a gigabyte.
        const auto [width, height] = BmpFileSides(path);
        budget.ChargePicture(width, height);
        try {
            bitmap.LoadFromFile(path);
        } catch (const Exception& e) {
            throw Exception("Cannot load the picture \"" + path + "\": " + e.Message());
        }
        if (bitmap.Width() < 1 || bitmap.Height() < 1)
            throw Exception("The picture \"" + path + "\" is empty");
        if (width <= 0 || height <= 0)
            budget.ChargePicture(bitmap.Width(), bitmap.Height());
    };

    // Built aside and swapped in only when complete: a bad picture must not cost the stored skin.
    TMemoryStream image;
    WriteInt32(image, WrittenSkinVersion);
    for (const char* key : {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"}) {
        const std::string name = ini.ReadString("PICTURES", key, "");
        if (name.empty()) {
            const unsigned char flag = 1;
            image.WriteBuffer(&flag, 1);
            continue;
        }
        TBitmap bitmap;
        loadPicture(name, bitmap);
        const unsigned char flag = 0;
        image.WriteBuffer(&flag, 1);
        bitmap.SaveToStream(image);
    }

    TStringList names;
    IniReadIndexedList(ini, "PICTURES", "activepictures", names);
    WriteInt32(image, names.Count());
    for (int i = 0; i < names.Count(); ++i) {
        // Active pictures carry no flag byte, so an empty one could not be read back.
        if (names.Strings(i).empty())
            throw Exception("\"" + AFileName + "\": active picture " + std::to_string(i) + " has no file name");
        TBitmap bitmap;
        loadPicture(names.Strings(i), bitmap);
        bitmap.SaveToStream(image);
    }
    image.WriteBuffer(packedText.data(), static_cast<std::int64_t>(packedText.size()));
    if (image.Size() > MaxPackedSkinSize)
        throw EDecompressionLimit(PackedSkinTooLargeReason());

    auto packed = std::make_unique<TMemoryStream>();
    CompressStream(image, *packed);
    packed->SetPosition(0);
    FStoredData = std::move(packed);
}

TskUnpackedSkin UnpackStoredSkin(const TskCompressedStoredSkin& StoredSkin)
{
    TskUnpackedSkin out;
    TMemoryStream image;
    if (!StoredSkin.DecompressTo(image) || image.Size() < 4)
        throw EDecompressionError("compression error");
    image.SetPosition(0);
    unsigned char word[4];
    image.ReadBuffer(word, 4);
    out.Version = static_cast<std::int32_t>(Le32(word));
    if (out.Version > MaxSkinVersion)
        throw EDecompressionError("unknown packed skin version " + std::to_string(out.Version));

    auto readBmp = [&image]() {
        const std::int64_t size = CheckSkinBitmap(image);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        image.ReadBuffer(bytes.data(), size);
        return bytes;
    };
    std::vector<std::pair<std::string, std::string>> slots; // ini key, BMP bytes
    auto slot = [&](const char* key) {
        unsigned char flag = 1;
        image.ReadBuffer(&flag, 1);
        if (flag == 0)
            slots.emplace_back(key, readBmp());
    };
    const int v = out.Version;
    slot("picture");
    if (v >= 2)
        slot("inactivepicture");
    slot("mask");
    if (v == 1 || v == 2) {
        slot("rolluppicture");
        slot("rollupmask");
    }
    image.ReadBuffer(word, 4);
    const auto count = static_cast<std::int32_t>(Le32(word));
    std::vector<std::string> active;
    for (std::int32_t i = 0; i < count; ++i)
        active.push_back(readBmp());

    const std::int64_t rest = image.Size() - image.Position();
    std::string text(static_cast<std::size_t>(rest), '\0');
    if (rest > 0)
        image.ReadBuffer(text.data(), rest);
    out.IniText = Cp1252ToUtf8(text);

    // The pictures stay packed here; only the ini lines are held as the loader holds them.
    TskSkinBudget budget;
    budget.ChargeIniText(out.IniText);
    TStringList lines;
    lines.SetText(out.IniText);
    TMemIniFile ini;
    ini.SetStrings(lines);
    // Only the name part: a stored name must not place a file outside the chosen folder.
    auto fileName = [](const std::string& name, const std::string& fallback) {
        const std::string part = NamePart(name);
        return part.empty() || part == "." || part == ".." ? fallback : part;
    };
    for (auto& [key, bytes] : slots)
        out.Pictures.push_back({fileName(ini.ReadString("PICTURES", key, ""), std::string(key) + ".bmp"), bytes});
    TStringList names;
    IniReadIndexedList(ini, "PICTURES", "activepictures", names);
    for (std::size_t i = 0; i < active.size(); ++i) {
        const std::string fallback = "activepicture" + std::to_string(i) + ".bmp";
        const std::string name = static_cast<int>(i) < names.Count() ? names.Strings(static_cast<int>(i)) : "";
        out.Pictures.push_back({fileName(name, fallback), active[i]});
    }
    return out;
}
