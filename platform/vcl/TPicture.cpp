#include "platform/vcl/TPicture.h"

#include <vector>

#include "platform/gfx/EInvalidGraphic.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TJPEGImage.h"
#include "platform/vcl/TReader.h"

namespace {
struct TGraphicKind {
    std::string ClassName;
    std::string Extension;
    std::function<TGraphic*()> Factory;
};
std::vector<TGraphicKind>& Kinds()
{
    static std::vector<TGraphicKind> kinds = {
        {"TBitmap", "bmp", [] { return static_cast<TGraphic*>(new TBitmap); }},
        {"TJPEGImage", "jpg", [] { return static_cast<TGraphic*>(new TJPEGImage); }},
        {"TJPEGImage", "jpeg", [] { return static_cast<TGraphic*>(new TJPEGImage); }},
    };
    return kinds;
}
const TGraphicKind* KindByClass(const std::string& name)
{
    for (auto& k : Kinds())
        if (SameText(k.ClassName, name)) return &k;
    return nullptr;
}
std::unique_ptr<TGraphic> Make(const TGraphic* like)
{
    if (like == nullptr) return nullptr;
    if (dynamic_cast<const TJPEGImage*>(like)) return std::make_unique<TJPEGImage>();
    if (dynamic_cast<const TBitmap*>(like)) return std::make_unique<TBitmap>();
    if (const TGraphicKind* k = KindByClass(like->ClassName())) return std::unique_ptr<TGraphic>(k->Factory());
    return nullptr;
}
} // namespace

void TPicture::RegisterGraphicClass(const std::string& ClassName, const std::string& Extension, std::function<TGraphic*()> Factory)
{
    Kinds().push_back({ClassName, LowerCase(Extension), std::move(Factory)});
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> Value)
{
    FGraphic = std::move(Value);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (Value == FGraphic.get()) return;
    if (Value == nullptr) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = Make(Value);
    if (!copy) throw EInvalidGraphic("Unsupported picture kind " + Value->ClassName());
    copy->Assign(Value);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (auto* b = dynamic_cast<TBitmap*>(FGraphic.get()); b != nullptr && dynamic_cast<TJPEGImage*>(FGraphic.get()) == nullptr) return b;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const std::string& FileName)
{
    const std::string ext = LowerCase(FileName.substr(FileName.find_last_of('.') == std::string::npos ? FileName.size() : FileName.find_last_of('.') + 1));
    for (auto& k : Kinds()) {
        if (k.Extension != ext) continue;
        std::unique_ptr<TGraphic> g(k.Factory());
        g->LoadFromFile(FileName);
        Take(std::move(g));
        return;
    }
    throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
}

void TPicture::SaveToFile(const std::string& FileName)
{
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source)
{
    if (Source == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
        if (p != this) SetGraphic(p->Graphic());
    } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (auto* g = dynamic_cast<TGraphic*>(Dest)) {
        if (FGraphic)
            g->Assign(FGraphic.get());
        else
            g->Assign(nullptr);
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TPicture::DefineProperties(TFiler* Filer)
{
    // Stored as the class name (a length byte and the name), then the picture's own stored data.
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            const auto len = s.ReadValue<std::uint8_t>();
            std::string name(len, '\0');
            if (len > 0) s.ReadBuffer(name.data(), len);
            const TGraphicKind* kind = KindByClass(name);
            if (kind == nullptr) throw EInvalidGraphic("Unknown picture class " + name);
            std::unique_ptr<TGraphic> g(kind->Factory());
            if (dynamic_cast<TJPEGImage*>(g.get()) != nullptr || dynamic_cast<TBitmap*>(g.get()) != nullptr) {
                // Both store a 32-bit size and then the file.
                const auto size = s.ReadValue<std::int32_t>();
                if (size < 0 || size > s.Size() - s.Position()) throw EInvalidGraphic("Picture data is shorter than its stated size");
                TMemoryStream part;
                if (size > 0) part.CopyFrom(s, size);
                part.SetPosition(0);
                if (size > 0) g->LoadFromStream(part);
            } else {
                g->LoadFromStream(s);
            }
            Take(std::move(g));
        },
        nullptr, FGraphic != nullptr);
}
