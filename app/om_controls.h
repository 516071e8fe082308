#pragma once
// What the profile handlers need of the main window's combo boxes, quality slider and labels. The
// handlers talk to these small interfaces only, so the window can hand them any control that fits
// (an adapter over a skinned combo box, a test double) without the handlers changing.
#include <string>

class TStrings;

class IOmComboBox {
public:
    virtual ~IOmComboBox() = default;
    // The text shown (the selected item's text; "" when none is selected).
    virtual std::string Text() const = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int Value) = 0;
    virtual TStrings& Items() = 0;
};

class IOmSlider {
public:
    virtual ~IOmSlider() = default;
    virtual int Value() const = 0;
    virtual void SetValue(int Value) = 0;
    virtual int MaxValue() const = 0;
    virtual void SetMaxValue(int Value) = 0;
};

class IOmLabel {
public:
    virtual ~IOmLabel() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& Value) = 0;
};
