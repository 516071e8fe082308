#include "process/TOxHotTrackOptions.h"

void UpdateTrackFont(TFont* TrackFont, const TFont* Font, TOxTrackFontOptions Options)
{
    if (!TrackFont || !Font || !Options.Contains(hoFollowFont))
        return;
    if (!Options.Contains(hoPreserveCharSet))
        TrackFont->SetCharset(Font->Charset());
    if (!Options.Contains(hoPreserveColor))
        TrackFont->SetColor(Font->Color());
    if (!Options.Contains(hoPreserveHeight))
        TrackFont->SetHeight(Font->Height());
    if (!Options.Contains(hoPreserveName))
        TrackFont->SetName(Font->Name());
    if (!Options.Contains(hoPreservePitch))
        TrackFont->SetPitch(Font->Pitch());
    if (!Options.Contains(hoPreserveStyle))
        TrackFont->SetStyle(Font->Style());
}

TOxHotTrackOptions::TOxHotTrackOptions(TPersistent* AOwner, TColor DefaultColor)
    : TOxPersistentProperty(AOwner), FColor(DefaultColor)
{
}

void TOxHotTrackOptions::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TOxHotTrackOptions*>(Source);
    if (!other) {
        TOxPersistentProperty::Assign(Source);
        return;
    }
    BeginUpdate();
    SetEnabled(other->Enabled());
    SetColor(other->Color());
    SetFrameVisible(other->FrameVisible());
    SetFrameColor(other->FrameColor());
    EndUpdate();
}
