#include "platform/vcl/TCoolBar.h"

#include <algorithm>
#include <vector>

#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"

// ---- TCoolBand

TCoolBand::TCoolBand(TCollection* Collection) : TCollectionItem(Collection) {}

TCoolBand::~TCoolBand() = default;

void TCoolBand::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TCoolBand*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FText = other->FText;
    FImageIndex = other->FImageIndex;
    FVisible = other->FVisible;
    FBreak = other->FBreak;
    FWidth = other->FWidth;
    FMinHeight = other->FMinHeight;
    FFixedSize = other->FFixedSize;
    Changed(false);
}

TCoolBar* TCoolBand::CoolBar() const
{
    auto* bands = dynamic_cast<TCoolBands*>(Collection());
    return bands != nullptr ? bands->CoolBar() : nullptr;
}

void TCoolBand::SetControl(TWinControl* Value)
{
    if (FControl == Value) return;
    TCoolBar* bar = CoolBar();
    if (Value != nullptr && bar != nullptr) {
        // A control sits in one band only.
        if (TCoolBand* other = bar->Bands()->FindBand(Value); other != nullptr && other != this) other->FControl = nullptr;
        Value->FreeNotification(bar);
        if (Value != bar && Value->Parent() != bar) Value->SetParent(bar);
    }
    FControl = Value;
    Changed(true);
}

void TCoolBand::SetText(const std::string& Value)
{
    if (FText == Value) return;
    FText = Value;
    Changed(true);
}

void TCoolBand::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(true);
}

void TCoolBand::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    if (FControl != nullptr) FControl->SetVisible(Value);
    Changed(true);
}

void TCoolBand::SetBreak(bool Value)
{
    if (FBreak == Value) return;
    FBreak = Value;
    Changed(true);
}

void TCoolBand::SetWidth(int Value)
{
    if (FWidth == Value || Value < 0) return;
    FWidth = Value;
    Changed(true);
}

void TCoolBand::SetMinHeight(int Value)
{
    if (FMinHeight == Value || Value < 0) return;
    FMinHeight = Value;
    Changed(true);
}

void TCoolBand::SetFixedSize(bool Value)
{
    if (FFixedSize == Value) return;
    FFixedSize = Value;
    Changed(true);
}

// ---- TCoolBands

TCoolBands::TCoolBands(TCoolBar* ACoolBar) : TCollection(TCollection::Of<TCoolBand>(), ACoolBar), FCoolBar(ACoolBar) {}

TCoolBand* TCoolBands::FindBand(const TControl* Control) const
{
    if (Control == nullptr) return nullptr;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Control() == Control) return Items(i);
    return nullptr;
}

void TCoolBands::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    if (FCoolBar == nullptr || FCoolBar->ComponentState().Contains(csDestroying)) return;
    FCoolBar->LayoutBands();
    FCoolBar->Invalidate();
}

// ---- TCoolBar

TCoolBar::TCoolBar(TComponent* AOwner) : TCustomControl(AOwner), FBands(new TCoolBands(this))
{
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 150, 75);
}

TCoolBar::~TCoolBar()
{
    // Bands let go of their controls before the children go.
    TCoolBands* bands = FBands;
    FBands = nullptr;
    delete bands;
}

void TCoolBar::SetVertical(bool Value)
{
    if (FVertical == Value) return;
    FVertical = Value;
    LayoutBands();
    Invalidate();
}

void TCoolBar::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    LayoutBands();
    Invalidate();
}

void TCoolBar::SetShowText(bool Value)
{
    if (FShowText == Value) return;
    FShowText = Value;
    LayoutBands();
    Invalidate();
}

void TCoolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FBands == nullptr) return;
    for (int i = 0; i < FBands->Count(); ++i) {
        TCoolBand* band = FBands->Items(i);
        // The band stays, empty: its place in the stored order is kept.
        if (band->Control() == AComponent) band->SetControl(nullptr);
    }
}

int TCoolBar::CaptionWidth(TCoolBand* Band)
{
    if (Band == nullptr || (!Band->Visible() && !Designing())) return 0;
    const bool hasText = FShowText && !Band->Text().empty();
    const bool hasImage = FImages != nullptr && Band->ImageIndex() >= 0 && Band->ImageIndex() < FImages->Count();
    int w = 0;
    if (hasText) {
        Canvas()->Font()->Assign(Font());
        w = FVertical ? Canvas()->TextHeight("Wg") : Canvas()->TextWidth(Band->Text());
        if (hasImage) w += 2;
    }
    if (hasImage)
        w += FVertical ? FImages->Height() : FImages->Width();
    else if (!hasText)
        w += 4;
    if (hasText || hasImage) w += 4;
    if (!Band->FixedSize()) w += 4 + 5;
    return w;
}

void TCoolBar::AlignControls(TControl* AControl, TRect& Rect)
{
    TCustomControl::AlignControls(AControl, Rect);
    LayoutBands();
}

void TCoolBar::LayoutBands()
{
    if (FInLayout || FBands == nullptr || ComponentState().Contains(csDestroying)) return;
    FInLayout = true;
    const TRect client = ClientRect();
    const int mainLength = FVertical ? client.Height() : client.Width();
    std::vector<std::vector<TCoolBand*>> rows;
    for (int i = 0; i < FBands->Count(); ++i) {
        TCoolBand* band = FBands->Items(i);
        band->BandRect = TRect{0, 0, 0, 0};
        if (!band->Visible() && !Designing()) continue;
        if (rows.empty() || band->Break()) rows.emplace_back();
        rows.back().push_back(band);
    }
    auto mainSize = [this](TControl* c) { return FVertical ? c->Height() : c->Width(); };
    auto crossSize = [this](TControl* c) { return FVertical ? c->Width() : c->Height(); };
    int rowStart = 0;
    for (const auto& row : rows) {
        int rowSize = 0;
        for (TCoolBand* band : row) {
            const int control = band->Control() != nullptr ? crossSize(band->Control()) + 4 : 0;
            rowSize = std::max({rowSize, band->MinHeight(), control});
        }
        int pos = 0;
        for (std::size_t k = 0; k < row.size(); ++k) {
            TCoolBand* band = row[k];
            TWinControl* c = band->Control();
            const int caption = CaptionWidth(band);
            int length = band->Width() > 0 ? band->Width() : caption + (c != nullptr ? mainSize(c) : 0) + 4;
            if (k + 1 == row.size()) length = std::max(length, mainLength - pos);
            band->BandRect = FVertical ? TRect{rowStart, pos, rowStart + rowSize, pos + length}
                                       : TRect{pos, rowStart, pos + length, rowStart + rowSize};
            if (c != nullptr) {
                const int cross = rowStart + (rowSize - crossSize(c)) / 2;
                if (FVertical)
                    c->SetBounds(cross, pos + caption, c->Width(), c->Height());
                else
                    c->SetBounds(pos + caption, cross, c->Width(), c->Height());
            }
            pos += length;
        }
        rowStart += rowSize;
    }
    FInLayout = false;
}

void TCoolBar::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    if (FBands == nullptr) return;
    auto line = [c](int x1, int y1, int x2, int y2, TColor color) {
        c->Brush()->SetColor(color);
        c->FillRect(TRect{x1, y1, x2, y2});
    };
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    for (int i = 0; i < FBands->Count(); ++i) {
        TCoolBand* band = FBands->Items(i);
        const TRect r = band->BandRect;
        if (r.IsEmpty()) continue;
        c->Brush()->SetStyle(bsSolid);
        // An etched edge after each band and under each row.
        if (FVertical) {
            line(r.Left, r.Bottom - 2, r.Right, r.Bottom - 1, clBtnShadow);
            line(r.Left, r.Bottom - 1, r.Right, r.Bottom, clBtnHighlight);
            line(r.Right - 2, r.Top, r.Right - 1, r.Bottom, clBtnShadow);
            line(r.Right - 1, r.Top, r.Right, r.Bottom, clBtnHighlight);
        } else {
            line(r.Right - 2, r.Top, r.Right - 1, r.Bottom, clBtnShadow);
            line(r.Right - 1, r.Top, r.Right, r.Bottom, clBtnHighlight);
            line(r.Left, r.Bottom - 2, r.Right, r.Bottom - 1, clBtnShadow);
            line(r.Left, r.Bottom - 1, r.Right, r.Bottom, clBtnHighlight);
        }
        int at = (FVertical ? r.Top : r.Left) + 2;
        if (!band->FixedSize()) {
            // The grabber: two raised lines.
            for (int k = 0; k < 2; ++k) {
                const int p = at + k * 3;
                if (FVertical) {
                    line(r.Left + 2, p, r.Right - 3, p + 1, clBtnHighlight);
                    line(r.Left + 2, p + 1, r.Right - 3, p + 2, clBtnShadow);
                } else {
                    line(p, r.Top + 2, p + 1, r.Bottom - 3, clBtnHighlight);
                    line(p + 1, r.Top + 2, p + 2, r.Bottom - 3, clBtnShadow);
                }
            }
            at += 4 + 5;
        }
        if (FImages != nullptr && band->ImageIndex() >= 0 && band->ImageIndex() < FImages->Count()) {
            if (FVertical) {
                FImages->Draw(c, r.Left + (r.Width() - FImages->Width()) / 2, at, band->ImageIndex());
                at += FImages->Height() + 2;
            } else {
                FImages->Draw(c, at, r.Top + (r.Height() - FImages->Height()) / 2, band->ImageIndex());
                at += FImages->Width() + 2;
            }
        }
        if (FShowText && !band->Text().empty()) {
            c->Brush()->SetStyle(bsClear);
            const int th = c->TextHeight(band->Text());
            if (FVertical)
                c->TextOut(r.Left + (r.Width() - c->TextWidth(band->Text())) / 2, at, band->Text());
            else
                c->TextOut(at, r.Top + (r.Height() - th) / 2, band->Text());
        }
    }
}

void RegisterCoolBarClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        using B = TCoolBand;
        RegisterClass<B, TCollectionItem>("TCoolBand")
            .Prop("Control", &B::Control, &B::SetControl)
            .Prop("Text", &B::Text, &B::SetText)
            .Prop("ImageIndex", &B::ImageIndex, &B::SetImageIndex, -1)
            .Prop("Visible", &B::Visible, &B::SetVisible, true)
            .Prop("Break", &B::Break, &B::SetBreak, true)
            .Prop("Width", &B::Width, &B::SetWidth, 0)
            .Prop("MinHeight", &B::MinHeight, &B::SetMinHeight, 25)
            .Prop("FixedSize", &B::FixedSize, &B::SetFixedSize, false);
        using C = TCoolBar;
        RegisterClass<C, TCustomControl>("TCoolBar")
            .Prop("Bands", &C::Bands)
            .Prop("Vertical", &C::Vertical, &C::SetVertical, false)
            .Prop("Images", &C::Images, &C::SetImages)
            .Prop("ShowText", &C::ShowText, &C::SetShowText, true);
        return true;
    }();
    (void)done;
}
