#pragma once
// The skin objects of a window's title area and its menus: the caption, frame buttons (plain, with a
// window command, and those of the main-menu bar), popup menu items and the top-level items of a main
// menu, drawn on the frame or on the main-menu bar.
#include <string>

#include "skin/data/TskDataSkinObject.h"
#include "skin/data/SkinEntryFont.h"

// Kind "caption". Has no Create of its own: after Create every field below is 0 or empty, and
// LoadFromIni gives the missing-key values.
class TskDataSkinCaption : public TskDataSkinObject, public TskEntryFont {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taLeftJustify;
    TRect TextRect;
    bool DefaultCaption = false;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InactiveAnimation = false;
    bool FullFrame = false;
    bool GlowEffect = false;
    bool GlowInactiveEffect = false;
    int GlowSize = 0;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;       // key "reflactioncolor", as the stored skins spell it
    TColor ReflectionActiveColor = 0; // key "reflactionactivecolor"
    int ReflectionOffset = 0;
};

// Kind "button": a button on the frame.
class TskDataSkinButton : public TskDataSkinObject {
public:
    explicit TskDataSkinButton(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int GroupIndex = -1; // -1: not grouped
    TRect DownRect;
    TRect DisableSkinRect; // key "disableskinrsect", as the stored skins spell it
};

// Kind "stdbutton": a caption button that carries out a window command.
class TskDataSkinStdButton : public TskDataSkinButton {
public:
    using TskDataSkinButton::TskDataSkinButton;

    // An unknown command word gives cmDefault; an empty restore hint becomes "Restore" for a maximize,
    // minimize or roll-up button.
    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int Command = 0;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;
};

// Kind "mainmenubarbutton": the buttons of the main-menu bar; loads exactly like a "stdbutton".
class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
    using TskDataSkinStdButton::TskDataSkinStdButton;
};

// Kind "menuitem": one item of a skinned popup menu. SkinRect and ActiveSkinRect are the item's
// pictures, normal and highlighted.
class TskDataSkinMenuItem : public TskDataSkinObject, public TskEntryFont {
public:
    using TskDataSkinObject::TskDataSkinObject;

    // A highlighted glyph the skin leaves empty (width or height below 1) becomes a copy of the normal one.
    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TColor UnEnabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRect;
    bool StretchEffect = false;
    bool DividerStretchEffect = false;
    bool InactiveStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InactiveAnimation = false;
    TRect ImageRect;
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool InactiveTransparent = false;
    TRect CheckImageRect;
    TRect ActiveCheckImageRect;
    TRect RadioImageRect;
    TRect ActiveRadioImageRect;
    TRect ArrowImageRect;
    TRect ActiveArrowImageRect;
};

// Kind "mainmenuitem": a top-level item of a main menu drawn on the window frame.
class TskDataSkinMainMenuItem : public TskDataSkinObject, public TskEntryFont {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect DownRect;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InactiveAnimation = false;
};

// Kind "mainmenubaritem": the items of the main-menu bar.
class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
    using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
};
