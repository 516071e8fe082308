#pragma once
// Holds one picture of any registered kind (bitmap or JPEG) and makes it on demand.
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/TBitmap.h"

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // nullptr when the picture holds nothing.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Keeps a copy of Value (nullptr empties the picture).
    void SetGraphic(TGraphic* Value);
    // The picture as a bitmap: a picture of another kind is replaced by an empty bitmap.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The kind is chosen by the extension ("bmp", "jpg", "jpeg"); EInvalidGraphic for another.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnChange;

    // Picture kinds by class name, for stored pictures ("TBitmap", "TJPEGImage").
    static void RegisterGraphicClass(const std::string& ClassName, const std::string& Extension, std::function<TGraphic*()> Factory);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void Take(std::unique_ptr<TGraphic> Value);
    void Changed();
    std::unique_ptr<TGraphic> FGraphic;
};
