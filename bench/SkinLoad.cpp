// Figures for loading a packed skin: the whole load (unpack, pictures, ini, entries) of a skin of
// about 1 MB unpacked with 20 pictures and 100 entries, and the decompressor against zlib's own
// uncompress on the same data.
#include <benchmark/benchmark.h>

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/TStream.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/SkinKindRegistry.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"
#include "skin/data/ZlibStreams.h"

namespace {

void PutLe32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 24-bit picture of flat bands with an edge and a fine check pattern, compressing about as skin pictures do
// (the stored skins pack 250 to 850 KB into 32 to 61 KB).
std::string Bmp24(int w, int h, int seed)
{
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string pixels;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const int band = (x / 6 + y / 4 + seed) & 15;
            const int edge = x == 0 || y == 0 || x == w - 1 || y == h - 1 ? 80 : 0;
            row += static_cast<char>((band * 30 + edge) & 0xFF);
            row += static_cast<char>((band * 17 + seed * 5) & 0xFF);
            row += static_cast<char>((200 - band * 9 + (((x * 7) ^ (y * 3)) % 5) * 6) & 0xFF);
        }
        row.resize(stride, '\0');
        pixels += row;
    }
    std::string s = "BM";
    PutLe32(s, static_cast<std::uint32_t>(54 + pixels.size()));
    PutLe32(s, 0);
    PutLe32(s, 54);
    PutLe32(s, 40);
    PutLe32(s, static_cast<std::uint32_t>(w));
    PutLe32(s, static_cast<std::uint32_t>(h));
    s += std::string("\x01\x00\x18\x00", 4);
    PutLe32(s, 0);
    PutLe32(s, static_cast<std::uint32_t>(pixels.size()));
    PutLe32(s, 2835);
    PutLe32(s, 2835);
    PutLe32(s, 0);
    PutLe32(s, 0);
    return s + pixels;
}

std::string SkinIni()
{
    std::string ini = "[VERSION]\r\nskinname=Bench\r\n[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\n"
                      "activepicturescount=18\r\n";
    for (int i = 0; i < 18; ++i)
        ini += std::to_string(i) + "=p" + std::to_string(i) + ".bmp\r\n";
    ini += "[FORMINFO]\r\nlefttoppoint=10,30\r\nrightbottompoint=110,70\r\nclientrect=5,25,115,75\r\n"
           "[POPUPWINDOW]\r\nwindowpictureindex=1\r\n[HINTWINDOW]\r\nwindowpictureindex=2\r\n"
           "[SKINCOLORS]\r\ncbtnface=12632256\r\n";
    std::string sections;
    const auto& controls = SkinControlKinds();
    const auto& objects = SkinObjectKinds();
    ini += "[SKINOBJECTS]\r\ncount=14\r\n";
    for (int i = 0; i < 14; ++i) {
        const std::string name = "obj" + std::to_string(i);
        ini += std::to_string(i) + "=" + name + ":" + objects[i % objects.size()] + "\r\n";
        sections += "[" + name + "]\r\nskinrect=1,2,30,40\r\nactivepictureindex=3\r\nactiveskinrect=0,0,16,16\r\n"
                    "morphing=1\r\nmorphkind=mkgradient\r\nhint=Object\r\nfontname=Tahoma\r\nfontheight=13\r\n";
    }
    ini += "[SKINCONTROLS]\r\ncount=86\r\n";
    for (int i = 0; i < 86; ++i) {
        const std::string name = "ctl" + std::to_string(i);
        ini += std::to_string(i) + "=" + name + ":" + controls[i % controls.size()] + "\r\n";
        sections += "[" + name + "]\r\npictureindex=" + std::to_string(i % 18) +
                    "\r\nskinrect=0,0,60,21\r\nlefttoppoint=3,3\r\nrighttoppoint=57,3\r\nleftbottompoint=3,18\r\n"
                    "rightbottompoint=57,18\r\nclientrect=3,3,57,18\r\nfontname=Tahoma\r\nfontheight=13\r\n"
                    "fontstyle=fsbold\r\nfontcolor=0\r\nactivefontcolor=16777215\r\nactiveskinrect=0,21,60,42\r\n"
                    "downskinrect=0,42,60,63\r\nalignment=tacenter\r\nstretchtype=sthorz\r\n";
    }
    return ini + sections;
}

// The packed image: version 2, five slots (picture and mask filled), 18 active pictures, the ini.
std::string PackedImage()
{
    std::string s;
    PutLe32(s, 2);
    s += '\0' + Bmp24(200, 150, 1); // picture
    s += '\x01';                    // inactive picture
    s += '\0' + Bmp24(200, 150, 2); // mask
    s += "\x01\x01";                // roll-up picture and mask
    PutLe32(s, 18);
    for (int i = 0; i < 18; ++i)
        s += Bmp24(120, 120, i + 3);
    return s + SkinIni();
}

struct TBenchSkin {
    TBenchSkin()
    {
        // As the program starts: every entry loads into its real class.
        RegisterSkinDataClasses();
        Plain = PackedImage();
        TStringStream source(Plain);
        CompressStream(source, Stored.StoredData());
        Stored.StoredData().SetPosition(0);
    }
    std::string Plain;
    TskCompressedStoredSkin Stored{nullptr};
};

TBenchSkin& Skin()
{
    static TBenchSkin skin;
    return skin;
}

void BM_LoadStoredSkin(benchmark::State& state)
{
    TskSkinData data(nullptr);
    for (auto _ : state) {
        data.LoadStoredSkin(&Skin().Stored);
        benchmark::DoNotOptimize(data.ControlDataList.size());
    }
    state.counters["unpacked_KB"] = static_cast<double>(Skin().Plain.size()) / 1024;
    state.counters["packed_KB"] = static_cast<double>(Skin().Stored.StoredData().Size()) / 1024;
    state.counters["pictures"] = static_cast<double>(data.ActivePictures.size() + 2);
    state.counters["entries"] = static_cast<double>(data.ControlDataList.size() + data.ObjectDataList.size());
}
BENCHMARK(BM_LoadStoredSkin)->Unit(benchmark::kMillisecond);

void BM_DecompressStream(benchmark::State& state)
{
    for (auto _ : state) {
        TMemoryStream out;
        Skin().Stored.DecompressTo(out);
        benchmark::DoNotOptimize(out.Size());
    }
}
BENCHMARK(BM_DecompressStream)->Unit(benchmark::kMillisecond);

void BM_ZlibUncompress(benchmark::State& state)
{
    TMemoryStream& packed = Skin().Stored.StoredData();
    for (auto _ : state) {
        // Like the stream, uncompress has to have somewhere to put the result.
        std::vector<Bytef> out(Skin().Plain.size());
        uLongf size = out.size();
        uncompress(out.data(), &size, static_cast<const Bytef*>(packed.Memory()), static_cast<uLong>(packed.Size()));
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_ZlibUncompress)->Unit(benchmark::kMillisecond);

} // namespace
