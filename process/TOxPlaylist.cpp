#include "process/TOxPlaylist.h"

#include "platform/rtl/Strings.h"
#include "platform/vcl/TypInfo.h"

TOxPlaylist::TOxPlaylist(TComponent* AOwner) : TOxListBox(AOwner), FItems(std::make_unique<TStringList>())
{
    BindItems();
}

TOxPlaylist::~TOxPlaylist()
{
    UnbindItems();
}

void TOxPlaylist::BindItems()
{
    FItems->OnChange = [this](TStrings*) { RefreshDisplay(); };
}

void TOxPlaylist::UnbindItems()
{
    FItems->OnChange = nullptr;
}

void TOxPlaylist::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
    RefreshDisplay();
}

void TOxPlaylist::SetShowDrive(bool Value)
{
    if (FShowDrive == Value)
        return;
    FShowDrive = Value;
    RefreshDisplay();
}

void TOxPlaylist::SetShowNumbers(bool Value)
{
    if (FShowNumbers == Value)
        return;
    FShowNumbers = Value;
    RefreshDisplay();
}

void TOxPlaylist::SetShowExtension(bool Value)
{
    if (FShowExtension == Value)
        return;
    FShowExtension = Value;
    RefreshDisplay();
}

std::string TOxPlaylist::BuildDisplayName(const std::string& Path, int Index) const
{
    std::string text = Path;
    if (!FShowDrive) {
        if (const std::size_t colon = text.find(':'); colon != std::string::npos)
            text.erase(0, colon + 1);
    }
    if (!FShowExtension) {
        // Cut at the last period only when no separator comes after it.
        const std::size_t last = text.find_last_of(".\\/:");
        if (last != std::string::npos && text[last] == '.')
            text.erase(last);
    }
    if (FShowNumbers)
        text = IntToStr(Index + 1) + ". " + text;
    return text;
}

void TOxPlaylist::RefreshDisplay()
{
    FUpdating = true;
    TStrings& shown = *TOxListBox::Items();
    shown.BeginUpdate();
    try {
        if (shown.Count() == FItems->Count()) {
            for (int i = 0; i < FItems->Count(); ++i)
                shown.Put(i, BuildDisplayName((*FItems)[i], i));
        } else {
            shown.Clear();
            for (int i = 0; i < FItems->Count(); ++i)
                shown.Add(BuildDisplayName((*FItems)[i], i));
        }
    } catch (...) {
        shown.EndUpdate();
        FUpdating = false;
        throw;
    }
    shown.EndUpdate();
    FUpdating = false;
}

void TOxPlaylist::Changed()
{
    RefreshDisplay();
}

void TOxPlaylist::ItemDeleting(int Index)
{
    TOxListBox::ItemDeleting(Index);
    // A line deleted by the user takes its path with it; the playlist's own rewrites do not.
    if (!FUpdating && Index >= 0 && Index < FItems->Count()) {
        UnbindItems();
        FItems->Delete(Index);
        BindItems();
    }
}

void TOxPlaylist::MoveSelected(int Step)
{
    const int count = FItems->Count();
    if (MultiSelect()) {
        const int edge = Step < 0 ? 0 : count - 1;
        if (count == 0 || SelCount() == 0 || Selected(edge))
            return;
        UnbindItems();
        FUpdating = true;
        std::vector<int> moved;
        for (int k = 0; k < count - 1; ++k) {
            const int i = Step < 0 ? k + 1 : count - 2 - k;
            if (Selected(i)) {
                FItems->Exchange(i, i + Step);
                moved.push_back(i + Step);
            }
        }
        FUpdating = false;
        BindItems();
        RefreshDisplay();
        ClearSelection();
        for (int i : moved)
            SetSelected(i, true);
        return;
    }
    const int index = ItemIndex();
    if (index == -1 || index + Step < 0 || index + Step >= count)
        return;
    FItems->Exchange(index, index + Step);
    SetItemIndex(index + Step);
}

void TOxPlaylist::MoveSelectedUp()
{
    MoveSelected(-1);
}

void TOxPlaylist::MoveSelectedDown()
{
    MoveSelected(1);
}

void RegisterOxPlaylistClasses()
{
    static const bool done = [] {
        RegisterOxListBoxClasses();
        using P = TOxPlaylist;
        RegisterClass<P, TOxListBox>("TOxPlaylist")
            .Prop("ShowDrive", &P::ShowDrive, &P::SetShowDrive, true)
            .Prop("ShowNumbers", &P::ShowNumbers, &P::SetShowNumbers, false)
            .Prop("ShowExtension", &P::ShowExtension, &P::SetShowExtension, false);
        return true;
    }();
    (void)done;
}
