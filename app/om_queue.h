#pragma once
// The queue rows: every source record of StringGrid1 is shown as a nest of skinned controls in the
// scroll box skSkinScrollpanel1, each control named by a prefix and the record's row number and
// carrying that number in its Tag. The row shows the convert check box, the thumbnail, the length,
// the editable output name, the audio and subtitle choices, the size estimate and the progress bar;
// its handlers write the user's choices back into the record. There is no index of the controls:
// every lookup walks the named children level by level, so a row that is gone is simply not found.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/TComponent.h"

class IOmSlider;
class TControl;
class TForm1;
class TImage;
class TPopupMenu;
class TWinControl;
class TskSkinData;

class TOmQueue : public TComponent {
public:
    // Owned by the window and freed with it. Takes over the window's row seams (OnAddItem,
    // OnSelectionChanged, OnSetProgress) and registers itself as Form->Queue.
    explicit TOmQueue(TForm1* Form);
    ~TOmQueue() override;

    // What the rows are built in and painted from; set before the first row is made. Without the
    // scroll box AddItem builds nothing. The skins and the menu may stay null (plain looks, no menu).
    TWinControl* skSkinScrollpanel1 = nullptr; // the scroll box of the queue rows
    TskSkinData* skSkinData1 = nullptr; // panels
    TskSkinData* skSkinData2 = nullptr; // check boxes, combo boxes, gauge
    TskSkinData* skSkinData3 = nullptr; // the flat buttons that serve as labels
    TskSkinData* skSkinData4 = nullptr; // the name edit
    TPopupMenu* PopupMenu1 = nullptr;   // the rows' menu (closed captions)
    IOmSlider* vq = nullptr;            // quality slider: kbit/s div 10 (0 without it)

    // A click on a row's thumbnail, with the row (the preview window opens on it).
    std::function<void(int Row)> OnImageClick;

    // Builds row r's nest; a row that exists already is left as it is.
    void AddItem(int r);
    // Frees row r's controls (the row and its separator line); a row that is not there is ignored.
    void RemoveItem(int r);
    // True when row r has its controls.
    bool HasRow(int r) const;
    // A record is converted only once its row shows (its outcome has a place then); a queue without
    // its scroll box shows no rows and holds none back.
    bool MayConvert(int r) const;

    // The audio choice shown in row r ("" when the row has no audio combo).
    std::string getAID(int r) const;
    // The subtitle choice of row r when its "Subs:" box is checked, else "".
    std::string getSID(int r) const;
    // Refreshes every row's size estimate from the quality and the source length.
    void SetFilesize();
    // Row r's progress in seconds; CurrentPos and CurrentTotal follow the gauge.
    void setProgress(int r, int Seconds);
    // Every row's progress back to 0: a new run starts with no bar of an earlier one.
    void ClearProgress();
    // Unchecks row r's convert box (a part of it converted well).
    void setChk0(int r);
    // Row r's gauge shows Text in place of its percentage ("Failed"); "" brings the percentage back.
    void setNote(int r, const std::string& Text);
    // The convert box follows the record's selection ("YES" checked, anything else not).
    void SelectionChanged(int r, const std::string& Value);

    // Row r's thumbnail control (nullptr when the row is not there).
    TImage* RowPicture(int r) const;
    // Finds a row's control by the names of its levels: Find({"pnl0_", "pnl2_", "edt0_"}, r).
    TControl* Find(const std::vector<std::string>& Path, int r) const;

    // The row handlers; the row is the Sender's Tag.
    void checkboxClick(TObject* Sender);
    void aidChange(TObject* Sender);
    void sidChange(TObject* Sender);
    void sidClick(TObject* Sender);
    void editChange(TObject* Sender);
    void ImageClick(TObject* Sender);

private:
    void BuildRow(int r);
    TNotifyEvent Handler(void (TOmQueue::*Method)(TObject*));
    TForm1* FForm;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
