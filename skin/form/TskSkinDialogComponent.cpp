#include "skin/form/TskSkinDialogComponent.h"

#include <algorithm>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

TskSkinDialogComponent::TskSkinDialogComponent(TComponent* AOwner, const std::string& ATitle, BYTE AAlphaBlendValue)
    : TComponent(AOwner), FTitle(ATitle), FAlphaBlendValue(AAlphaBlendValue), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle({});
}

TskSkinDialogComponent::~TskSkinDialogComponent() = default;

void TskSkinDialogComponent::SetSkinData(TskSkinData* Value)
{
    if (FSkinData == Value) return;
    FSkinData = Value;
}

void TskSkinDialogComponent::SetCtrlSkinData(TskSkinData* Value)
{
    if (FCtrlSkinData == Value) return;
    FCtrlSkinData = Value;
}

void TskSkinDialogComponent::SetDefaultFont(TFont* Value)
{
    if (Value) FDefaultFont->Assign(Value);
}


void TskSkinDialogComponent::ApplyFrame(TForm& Form, TskFormFrame& Frame) const
{
    Form.SetCaption(FTitle);
    Frame.SetBorderIcons({});
    Frame.SetSkinData(FSkinData);
    Frame.SetMenusSkinData(FCtrlSkinData);
    Frame.SetAlphaBlend(FAlphaBlend);
    Frame.SetAlphaBlendAnimation(FAlphaBlendAnimation);
    Frame.SetAlphaBlendValue(FAlphaBlendValue);
    Frame.SetMinWidth(FDialogMinWidth);
    Frame.SetMinHeight(FDialogMinHeight);
}

void TskSkinDialogComponent::ApplyClientSize(TForm& Form, TskFormFrame& Frame, int DefaultWidth, int DefaultHeight) const
{
    int width = FDialogWidth < 1 ? DefaultWidth : FDialogWidth;
    int height = FDialogHeight < 1 ? DefaultHeight : FDialogHeight;
    if (FSkinData && !FSkinData->SkinEmpty) {
        // A skinned frame cannot be smaller than its picture allows.
        width = std::max(width, Frame.GetMinWidth());
        height = std::max(height, Frame.GetMinHeight());
    }
    Form.HandleNeeded();
    Form.SetClientWidth(width);
    Form.SetClientHeight(height);
}

void TskSkinDialogComponent::KeepClientSize(const TForm& Form)
{
    FDialogWidth = Form.ClientWidth();
    FDialogHeight = Form.ClientHeight();
}

void RegisterDialogComponentClass()
{
    static const bool done = [] {
        using D = TskSkinDialogComponent;
        RegisterClass<D, TComponent>("TskSkinDialogComponent")
            .Prop("Title", &D::Title, &D::SetTitle)
            .Prop("DialogWidth", &D::DialogWidth, &D::SetDialogWidth)
            .Prop("DialogHeight", &D::DialogHeight, &D::SetDialogHeight)
            .Prop("DialogMinWidth", &D::DialogMinWidth, &D::SetDialogMinWidth)
            .Prop("DialogMinHeight", &D::DialogMinHeight, &D::SetDialogMinHeight)
            .Prop("AlphaBlend", &D::AlphaBlend, &D::SetAlphaBlend)
            .Prop("AlphaBlendValue", &D::AlphaBlendValue, &D::SetAlphaBlendValue)
            .Prop("AlphaBlendAnimation", &D::AlphaBlendAnimation, &D::SetAlphaBlendAnimation)
            .Prop("SkinData", &D::SkinData, &D::SetSkinData)
            .Prop("CtrlSkinData", &D::CtrlSkinData, &D::SetCtrlSkinData)
            .Prop("DefaultFont", &D::DefaultFont)
            .Event("OnShow", &D::OnShow)
            .Event("OnClose", &D::OnClose);
        return true;
    }();
    (void)done;
}
