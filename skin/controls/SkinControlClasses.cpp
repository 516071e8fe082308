// The form reader's view of the skinned controls: every class with its published properties, one line
// each, with the stream defaults the stored forms were written against.
#include "platform/vcl/TAction.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"
#include "skin/controls/TskGraphicSkinControl.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinCustomListView.h"
#include "skin/controls/TskSkinCustomTreeView.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinListBox.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinCoolBar.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/controls/TskSkinScrollBox.h"
#include "skin/controls/TskSkinSlider.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinStatusBar.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/controls/TskSkinUpDown.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/TskSkinData.h"

namespace {

template <class C> void SkinLinkProps(TClassRegistration<C>& r)
{
    r.Prop("HintTitle", &C::HintTitle, &C::SetHintTitle)
        .Prop("HintImageIndex", &C::HintImageIndex, &C::SetHintImageIndex, 0)
        .Prop("HintImageList", &C::HintImageList, &C::SetHintImageList)
        .Prop("DrawDefault", &C::DrawDefault, &C::SetDrawDefault, true)
        .Prop("SkinData", &C::SkinData, &C::SetSkinData)
        .Prop("AreaName", &C::AreaName, &C::SetAreaName)
        .Prop("SkinDataName", &C::SkinDataName, &C::SetSkinDataName)
        .Prop("AlphaBlend", &C::AlphaBlend, &C::SetAlphaBlend, false)
        .Prop("AlphaBlendValue", &C::AlphaBlendValue, &C::SetAlphaBlendValue, 200)
        .Prop("UseSkinCursor", &C::UseSkinCursor, &C::SetUseSkinCursor, false);
}

template <class C> void SkinFontProps(TClassRegistration<C>& r)
{
    r.Prop("DefaultFont", &C::DefaultFont)
        .Prop("UseSkinFont", &C::UseSkinFont, &C::SetUseSkinFont, true)
        .Prop("DefaultWidth", &C::DefaultWidth, &C::SetDefaultWidth, 0)
        .Prop("DefaultHeight", &C::DefaultHeight, &C::SetDefaultHeight, 0);
}

// Spacing: the stored forms were written against a default of 4 while a new button starts with 1, so a
// form that stored nothing reads back 1. Kept: stored forms rely on it.
template <class C> void SkinButtonProps(TClassRegistration<C>& r)
{
    r.Prop("Glyph", &C::Glyph)
        .Prop("NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs, 1)
        .Prop("Layout", &C::Layout, &C::SetLayout, blGlyphLeft)
        .Prop("Margin", &C::Margin, &C::SetMargin, -1)
        .Prop("Spacing", &C::Spacing, &C::SetSpacing, 4)
        .Prop("Down", &C::Down, &C::SetDown, false)
        .Prop("GroupIndex", &C::GroupIndex, &C::SetGroupIndex, 0)
        .Prop("AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp, false)
        .Prop("RepeatMode", &C::RepeatMode, &C::SetRepeatMode, false)
        .Prop("RepeatInterval", &C::RepeatInterval, &C::SetRepeatInterval, 100);
}

} // namespace

void RegisterSkinControlClasses()
{
    static const bool done = [] {
        // The skinned controls stand on the component library's classes, which the forms name too, and
        // on the skin's own.
        RegisterVclClasses();
        RegisterSkinDataClasses();
        auto base = RegisterClass<TskSkinControl, TCustomControl>("TskSkinControl");
        SkinLinkProps(base);
        auto custom = RegisterClass<TskSkinCustomControl, TskSkinControl>("TskSkinCustomControl");
        SkinFontProps(custom);

        auto gauge = RegisterClass<TskSkinGauge, TskSkinCustomControl>("TskSkinGauge");
        gauge.Prop("MinValue", &TskSkinGauge::MinValue, &TskSkinGauge::SetMinValue, 0)
            .Prop("MaxValue", &TskSkinGauge::MaxValue, &TskSkinGauge::SetMaxValue, 100)
            .Prop("Value", &TskSkinGauge::Value, &TskSkinGauge::SetValue, 50)
            .Prop("ProgressText", &TskSkinGauge::ProgressText, &TskSkinGauge::SetProgressText)
            .Prop("ShowProgressText", &TskSkinGauge::ShowProgressText, &TskSkinGauge::SetShowProgressText, false)
            .Prop("ShowPercent", &TskSkinGauge::ShowPercent, &TskSkinGauge::SetShowPercent, false)
            .Prop("Vertical", &TskSkinGauge::Vertical, &TskSkinGauge::SetVertical, false)
            .Prop("UseSkinSize", &TskSkinGauge::UseSkinSize, &TskSkinGauge::SetUseSkinSize, true)
            .Prop("TextAlphaBlend", &TskSkinGauge::TextAlphaBlend, &TskSkinGauge::SetTextAlphaBlend, false)
            .Prop("TextAlphaBlendValue", &TskSkinGauge::TextAlphaBlendValue, &TskSkinGauge::SetTextAlphaBlendValue, 200)
            .Prop("ProgressAnimationPause", &TskSkinGauge::ProgressAnimationPause,
                &TskSkinGauge::SetProgressAnimationPause, 1000)
            .Event("OnGaugePaint", &TskSkinGauge::OnGaugePaint);

        RegisterEnum<TskSkinBorderStyle>({"bvFrame", "bvRaised", "bvLowered", "bvNone"});
        RegisterEnum<TskImagePosition>({"skimgpDefault", "skimgpLeft"});
        auto panel = RegisterClass<TskSkinPanel, TskSkinCustomControl>("TskSkinPanel");
        panel.Prop("BorderStyle", &TskSkinPanel::BorderStyle, &TskSkinPanel::SetBorderStyle, bvFrame)
            .Prop("CaptionMode", &TskSkinPanel::CaptionMode, &TskSkinPanel::SetCaptionMode, false)
            .Prop("DefaultCaptionHeight", &TskSkinPanel::DefaultCaptionHeight, &TskSkinPanel::SetDefaultCaptionHeight, 22)
            .Prop("DefaultAlignment", &TskSkinPanel::DefaultAlignment, &TskSkinPanel::SetDefaultAlignment, taLeftJustify)
            .Prop("RollUpMode", &TskSkinPanel::RollUpMode, &TskSkinPanel::SetRollUpMode, false)
            .Prop("RollUpState", &TskSkinPanel::RollUpState, &TskSkinPanel::SetRollUpState, false)
            .Prop("RealHeight", &TskSkinPanel::RealHeight, &TskSkinPanel::SetRealHeight, -1)
            .Prop("CheckedMode", &TskSkinPanel::CheckedMode, &TskSkinPanel::SetCheckedMode, false)
            .Prop("Checked", &TskSkinPanel::Checked, &TskSkinPanel::SetChecked, false)
            .Prop("AutoEnabledControls", &TskSkinPanel::AutoEnabledControls, &TskSkinPanel::SetAutoEnabledControls, true)
            .Prop("TransparentMode", &TskSkinPanel::TransparentMode, &TskSkinPanel::SetTransparentMode, false)
            .Prop("Glyph", &TskSkinPanel::Glyph)
            .Prop("NumGlyphs", &TskSkinPanel::NumGlyphs, &TskSkinPanel::SetNumGlyphs, 1)
            .Prop("Spacing", &TskSkinPanel::Spacing, &TskSkinPanel::SetSpacing, 2)
            .Prop("ImagePosition", &TskSkinPanel::ImagePosition, &TskSkinPanel::SetImagePosition, skimgpDefault)
            .Event("OnChecked", &TskSkinPanel::OnChecked)
            .Event("OnChangeRollUpState", &TskSkinPanel::OnChangeRollUpState)
            .Prop("CaptionImageList", &TskSkinPanel::CaptionImageList, &TskSkinPanel::SetCaptionImageList)
            .Prop("CaptionImageIndex", &TskSkinPanel::CaptionImageIndex, &TskSkinPanel::SetCaptionImageIndex, -1);
        RegisterClass<TskSkinGroupBox, TskSkinPanel>("TskSkinGroupBox");
        RegisterClass<TskSkinStatusBar, TskSkinPanel>("TskSkinStatusBar")
            .Prop("SizeGrip", &TskSkinStatusBar::SizeGrip, &TskSkinStatusBar::SetSizeGrip, false);

        RegisterEnum<TskEllipsType>({"sketNone", "sketEndEllips", "sketPathEllips"});
        RegisterClass<TskSkinStdLabel, TCustomLabel>("TskSkinStdLabel")
            .Prop("SkinData", &TskSkinStdLabel::SkinData, &TskSkinStdLabel::SetSkinData)
            .Prop("SkinDataName", &TskSkinStdLabel::SkinDataName, &TskSkinStdLabel::SetSkinDataName)
            .Prop("DefaultFont", &TskSkinStdLabel::DefaultFont)
            .Prop("UseSkinFont", &TskSkinStdLabel::UseSkinFont, &TskSkinStdLabel::SetUseSkinFont, true)
            .Prop("UseSkinColor", &TskSkinStdLabel::UseSkinColor, &TskSkinStdLabel::SetUseSkinColor, true)
            .Prop("EllipsType", &TskSkinStdLabel::EllipsType, &TskSkinStdLabel::SetEllipsType, sketNone);

        auto graphic = RegisterClass<TskGraphicSkinControl, TGraphicControl>("TskGraphicSkinControl");
        SkinLinkProps(graphic);
        auto graphicCustom = RegisterClass<TskGraphicSkinCustomControl, TskGraphicSkinControl>("TskGraphicSkinCustomControl");
        SkinFontProps(graphicCustom);

        RegisterEnum<TskButtonLayout>({"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
        auto speed = RegisterClass<TskSkinSpeedButton, TskGraphicSkinCustomControl>("TskSkinSpeedButton");
        speed.Prop("Flat", &TskSkinSpeedButton::Flat, &TskSkinSpeedButton::SetFlat, false);
        SkinButtonProps(speed);
        speed.Prop("UseSkinSize", &TskSkinSpeedButton::UseSkinSize, &TskSkinSpeedButton::SetUseSkinSize, true)
            .Prop("UseSkinFontColor", &TskSkinSpeedButton::UseSkinFontColor, &TskSkinSpeedButton::SetUseSkinFontColor, true)
            .Prop("ShowCaption", &TskSkinSpeedButton::ShowCaption, &TskSkinSpeedButton::SetShowCaption, true)
            .Prop("WidthWithCaption", &TskSkinSpeedButton::WidthWithCaption, &TskSkinSpeedButton::SetWidthWithCaption, 0)
            .Prop("WidthWithoutCaption", &TskSkinSpeedButton::WidthWithoutCaption,
                &TskSkinSpeedButton::SetWidthWithoutCaption, 0)
            .Prop("ImageList", &TskSkinSpeedButton::ImageList, &TskSkinSpeedButton::SetImageList)
            .Prop("ImageIndex", &TskSkinSpeedButton::ImageIndex, &TskSkinSpeedButton::SetImageIndex, 0)
            .Prop("Action", &TskSkinSpeedButton::Action, &TskSkinSpeedButton::SetAction);

        RegisterEnum<TskTrackPosition>({"sktpRight", "sktpBottom"});
        RegisterClass<TskSkinMenuSpeedButton, TskSkinSpeedButton>("TskSkinMenuSpeedButton")
            .Prop("SkinPopupMenu", &TskSkinMenuSpeedButton::SkinPopupMenu, &TskSkinMenuSpeedButton::SetSkinPopupMenu)
            .Prop("SkinImagesMenu", &TskSkinMenuSpeedButton::SkinImagesMenu, &TskSkinMenuSpeedButton::SetSkinImagesMenu)
            .Prop("UseImagesMenuImage", &TskSkinMenuSpeedButton::UseImagesMenuImage,
                &TskSkinMenuSpeedButton::SetUseImagesMenuImage, false)
            .Prop("UseImagesMenuCaption", &TskSkinMenuSpeedButton::UseImagesMenuCaption,
                &TskSkinMenuSpeedButton::SetUseImagesMenuCaption, false)
            .Prop("TrackButtonMode", &TskSkinMenuSpeedButton::TrackButtonMode,
                &TskSkinMenuSpeedButton::SetTrackButtonMode, false)
            .Prop("NewStyle", &TskSkinMenuSpeedButton::NewStyle, &TskSkinMenuSpeedButton::SetNewStyle, false)
            .Prop("TrackPosition", &TskSkinMenuSpeedButton::TrackPosition, &TskSkinMenuSpeedButton::SetTrackPosition,
                sktpRight)
            .Event("OnShowTrackMenu", &TskSkinMenuSpeedButton::OnShowTrackMenu)
            .Event("OnHideTrackMenu", &TskSkinMenuSpeedButton::OnHideTrackMenu);

        RegisterClass<TskSkinToolBar, TskSkinPanel>("TskSkinToolBar")
            .Prop("AdjustControls", &TskSkinToolBar::AdjustControls, &TskSkinToolBar::SetAdjustControls, true)
            .Prop("CanScroll", &TskSkinToolBar::CanScroll, &TskSkinToolBar::SetCanScroll, false)
            .Prop("HotScroll", &TskSkinToolBar::HotScroll, &TskSkinToolBar::SetHotScroll, false)
            .Prop("ScrollOffset", &TskSkinToolBar::ScrollOffset, &TskSkinToolBar::SetScrollOffset, 0)
            .Prop("ScrollTimerInterval", &TskSkinToolBar::ScrollTimerInterval, &TskSkinToolBar::SetScrollTimerInterval, 50)
            .Prop("ShowCaptions", &TskSkinToolBar::ShowCaptions, &TskSkinToolBar::SetShowCaptions, false)
            .Prop("AutoShowHideCaptions", &TskSkinToolBar::AutoShowHideCaptions,
                &TskSkinToolBar::SetAutoShowHideCaptions, false)
            .Prop("WidthWithCaptions", &TskSkinToolBar::WidthWithCaptions, &TskSkinToolBar::SetWidthWithCaptions, 0)
            .Prop("WidthWithoutCaptions", &TskSkinToolBar::WidthWithoutCaptions,
                &TskSkinToolBar::SetWidthWithoutCaptions, 0)
            .Prop("Flat", &TskSkinToolBar::Flat, &TskSkinToolBar::SetFlat, false)
            .Prop("Images", &TskSkinToolBar::Images, &TskSkinToolBar::SetImages)
            .Prop("HotImages", &TskSkinToolBar::HotImages, &TskSkinToolBar::SetHotImages)
            .Prop("DisabledImages", &TskSkinToolBar::DisabledImages, &TskSkinToolBar::SetDisabledImages);

        RegisterCoolBarClasses();
        RegisterClass<TskSkinCoolBar, TCoolBar>("TskSkinCoolBar")
            .Prop("SkinData", &TskSkinCoolBar::SkinData, &TskSkinCoolBar::SetSkinData)
            .Prop("SkinDataName", &TskSkinCoolBar::SkinDataName, &TskSkinCoolBar::SetSkinDataName)
            .Prop("SkinBevel", &TskSkinCoolBar::SkinBevel, &TskSkinCoolBar::SetSkinBevel, true);

        RegisterClass<TskSkinCheckRadioBox, TskSkinCustomControl>("TskSkinCheckRadioBox")
            .Prop("Checked", &TskSkinCheckRadioBox::Checked, &TskSkinCheckRadioBox::SetChecked, false)
            .Prop("State", &TskSkinCheckRadioBox::State, &TskSkinCheckRadioBox::SetState, cbUnchecked)
            .Prop("AllowGrayed", &TskSkinCheckRadioBox::AllowGrayed, &TskSkinCheckRadioBox::SetAllowGrayed, false)
            .Prop("Radio", &TskSkinCheckRadioBox::Radio, &TskSkinCheckRadioBox::SetRadio, false)
            .Prop("GroupIndex", &TskSkinCheckRadioBox::GroupIndex, &TskSkinCheckRadioBox::SetGroupIndex, 0)
            .Prop("Flat", &TskSkinCheckRadioBox::Flat, &TskSkinCheckRadioBox::SetFlat, true)
            .Prop("WordWrap", &TskSkinCheckRadioBox::WordWrap, &TskSkinCheckRadioBox::SetWordWrap, false)
            .Prop("CanFocused", &TskSkinCheckRadioBox::CanFocused, &TskSkinCheckRadioBox::SetCanFocused, true)
            .Prop("UseSkinFontColor", &TskSkinCheckRadioBox::UseSkinFontColor,
                &TskSkinCheckRadioBox::SetUseSkinFontColor, true)
            .Prop("Images", &TskSkinCheckRadioBox::Images, &TskSkinCheckRadioBox::SetImages)
            .Prop("ImageIndex", &TskSkinCheckRadioBox::ImageIndex, &TskSkinCheckRadioBox::SetImageIndex, 0);

        auto button = RegisterClass<TskSkinButton, TskSkinCustomControl>("TskSkinButton");
        SkinButtonProps(button);
        button.Prop("Default", &TskSkinButton::Default, &TskSkinButton::SetDefault, false)
            .Prop("Cancel", &TskSkinButton::Cancel, &TskSkinButton::SetCancel, false)
            .Prop("ModalResult", &TskSkinButton::ModalResult, &TskSkinButton::SetModalResult, 0)
            .Prop("CanFocused", &TskSkinButton::CanFocused, &TskSkinButton::SetCanFocused, true)
            .Prop("UseSkinSize", &TskSkinButton::UseSkinSize, &TskSkinButton::SetUseSkinSize, true)
            .Prop("UseSkinFontColor", &TskSkinButton::UseSkinFontColor, &TskSkinButton::SetUseSkinFontColor, true)
            .Prop("AlwaysShowLayeredFrame", &TskSkinButton::AlwaysShowLayeredFrame,
                &TskSkinButton::SetAlwaysShowLayeredFrame, false)
            .Event("OnPaint", &TskSkinButton::OnPaint)
            .Prop("ImageList", &TskSkinButton::ImageList, &TskSkinButton::SetImageList)
            .Prop("ImageIndex", &TskSkinButton::ImageIndex, &TskSkinButton::SetImageIndex, -1);

        RegisterClass<TskSkinBevel, TBevel>("TskSkinBevel")
            .Prop("SkinData", &TskSkinBevel::SkinData, &TskSkinBevel::SetSkinData)
            .Prop("SkinDataName", &TskSkinBevel::SkinDataName, &TskSkinBevel::SetSkinDataName)
            .Prop("DividerMode", &TskSkinBevel::DividerMode, &TskSkinBevel::SetDividerMode, false);

        RegisterEnum<TUDOrientation>({"udHorizontal", "udVertical"});
        RegisterClass<TskSkinUpDown, TskSkinCustomControl>("TskSkinUpDown")
            .Prop("Orientation", &TskSkinUpDown::Orientation, &TskSkinUpDown::SetOrientation)
            .Prop("UseSkinSize", &TskSkinUpDown::UseSkinSize, &TskSkinUpDown::SetUseSkinSize)
            .Prop("Min", &TskSkinUpDown::Min, &TskSkinUpDown::SetMin)
            .Prop("Max", &TskSkinUpDown::Max, &TskSkinUpDown::SetMax)
            .Prop("Position", &TskSkinUpDown::Position, &TskSkinUpDown::SetPosition)
            .Prop("Increment", &TskSkinUpDown::Increment, &TskSkinUpDown::SetIncrement)
            .Event("OnChange", &TskSkinUpDown::OnChange)
            .Event("OnUpButtonClick", &TskSkinUpDown::OnUpButtonClick)
            .Event("OnDownButtonClick", &TskSkinUpDown::OnDownButtonClick);

        RegisterSkinScrollBarClass();
        RegisterSkinSliderClass();
        RegisterSkinScrollBoxClass();
        RegisterSkinEditClasses();
        RegisterSkinListBoxClass();
        RegisterSkinComboBoxClass();
        RegisterSkinTreeViewClass();
        RegisterSkinListViewClass();
        return true;
    }();
    (void)done;
}
