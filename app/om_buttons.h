#pragma once
// The main window's run buttons: Start/Stop (TForm1::skSkinSpeedButton1Click), Skip
// (skSkinSpeedButton2Click) and the destination folder (skSkinSpeedButton3Click). Start runs the whole
// queue inside its click: the caption says "Stop" until the conversion driver has returned, and a
// second Start while a queue still unwinds is ignored. Stop and Skip reach only the tool this program
// started, through the window's run control.
#include <string>

// What the status line says of a work folder (with its trailing "/") that could not be made; every
// tool runs there, so nothing can be converted without it.
std::string WorkFolderProblem(const std::string& WorkFolder);

// A button of the main window as the run handlers use it; the window hands an adapter over its
// skinned button, tests a double.
class IOmButton {
public:
    virtual ~IOmButton() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& Value) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool Value) = 0;
    // Shows the picture of the skin's glyph entry Name ("go_glyph", "stop_glyph", ...).
    virtual void SetGlyph(const std::string& Name) = 0;
    virtual void SetHint(const std::string& Value) = 0;
    virtual void SetShowHint(bool Value) = 0;
};
