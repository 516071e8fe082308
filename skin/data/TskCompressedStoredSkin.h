#pragma once
// A skin as one binary object. The packed skin image (the frame pictures, the active pictures and the
// skin ini text, back to back) is compressed with zlib; the compressed bytes are kept here and stored
// in the form description as the binary property "CompressedData". The same bytes behind an 8-byte
// header (int32 version, int32 length) form a compressed skin file.
//
// Packed skin image, little-endian, read from the start:
//   int32 version (0..3; a negative value reads like 0)
//   picture slots, each a flag byte (0: a BMP file follows; anything else: empty):
//     version 0: picture, mask; 1: picture, mask, roll-up picture, roll-up mask;
//     2: all five; 3: picture, inactive picture, mask
//   int32 count, then count BMP files without flag bytes (the active pictures)
//   the skin ini text (Windows-1252, lines ending CR LF) up to the end
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/TComponent.h"

class TBitmap;
class TskSkinBudget;
class TMemoryStream;
class TStream;

// What a packed image may inflate to at most; the stored skins inflate to well under 1 MB. A bound keeps
// a tiny damaged or hostile input from expanding without limit.
constexpr std::int64_t MaxPackedSkinSize = 64 * 1024 * 1024;
// Why a packed image beyond MaxPackedSkinSize is refused: by the loader, and by the builder before it
// writes one.
std::string PackedSkinTooLargeReason();
// The skin file and packed-image versions this code reads, and the one it writes.
constexpr int MaxSkinVersion = 3;
constexpr int WrittenSkinVersion = 2;

class TskCompressedStoredSkin : public TComponent {
public:
    explicit TskCompressedStoredSkin(TComponent* AOwner);
    ~TskCompressedStoredSkin() override;

    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value) { FDescription = Value; }
    const std::string& FileName() const { return FFileName; }
    // In design mode: builds the stored skin from the ini file (full path) and keeps only the name part.
    void SetFileName(const std::string& Value);
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    // In design mode: loads the compressed skin file and keeps only the name part.
    void SetCompressedFileName(const std::string& Value);

    void DefineProperties(TFiler* Filer) override;

    bool IsStoredSkinEmpty() const;
    // Inflates the stored data into the stream, leaving its position at its end. Returns true when the
    // zlib data ended properly (false: it was truncated, and the stream holds what came before the cut).
    // Raises EDecompressionError for damaged data, and EDecompressionLimit with PackedSkinTooLargeReason for
    // data that would inflate beyond MaxPackedSkinSize.
    bool DecompressTo(TStream& Stream) const;

    // int32 2, int32 length, then the stored data.
    void WriteSkinFileStream(TStream& Stream) const;
    // Replaces the stored data with the compressed data of a skin file stream (read from position 0).
    // Returns false, leaving the stored data empty, for a version above 3 or a length that is not
    // between 1 and the bytes that follow the header.
    bool ReadSkinFileStream(TStream& Stream);
    bool LoadFromSkinFile(const std::string& AFileName);

    // Builds the stored skin from a skin ini file and the BMP files beside it. Raises Exception with a
    // message naming the problem when the ini is no skin ini, a picture name is empty or a picture cannot
    // be read, and with the loader's reason when the pictures pass the skin's memory budget or the packed
    // image would be larger than the loader unpacks; the stored data is then unchanged.
    void BuildFromSkinIni(const std::string& AFileName);

    TMemoryStream& StoredData() const { return *FStoredData; }

private:
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream);

    std::unique_ptr<TMemoryStream> FStoredData;
    std::string FDescription;
    std::string FFileName;
    std::string FCompressedFileName;
};

// Reads one BMP file of a packed image into Bitmap and leaves the stream right after it. Its header is
// checked before anything is allocated: "BM", 54 <= bfOffBits <= bfSize <= the bytes left, an info
// header of at least 40 bytes, sides of 1..16384 and pixel rows that fit in the file. Raises
// EInvalidGraphic otherwise. The decoded picture is charged to Budget before it is decoded (ESkinTooLarge).
void ReadSkinBitmap(TStream& Stream, TBitmap& Bitmap, TskSkinBudget& Budget);
// The same checks without decoding: returns the file size of the BMP file at the stream's position and
// leaves the position where it was.
std::int64_t CheckSkinBitmap(TStream& Stream);

// The parts of a packed skin image as files: the ini text (UTF-8) and every picture as the BMP file
// stored for it, named as [PICTURES] names it (only the name part; "activepicture<i>.bmp" when the ini
// gives no name). Frame pictures first, in slot order, then the active pictures.
struct TskUnpackedSkin {
    struct TPictureFile {
        std::string Name;
        std::string Bmp;
    };
    int Version = 0;
    std::string IniText;
    std::vector<TPictureFile> Pictures;
};
// Raises EDecompressionError or EInvalidGraphic for damaged data, and ESkinTooLarge for ini text past the
// skin's memory budget, like the loader.
TskUnpackedSkin UnpackStoredSkin(const TskCompressedStoredSkin& StoredSkin);

// Windows-1252 text (the skin ini inside a packed image) as UTF-8, and back; a character that
// Windows-1252 lacks becomes "?".
std::string Cp1252ToUtf8(const std::string& Text);
std::string Utf8ToCp1252(const std::string& Text);

// Registers TskCompressedStoredSkin with the form reader (called at start-up by RegisterSkinDataClasses).
void RegisterCompressedStoredSkin();
