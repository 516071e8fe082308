// The suite's form host as the other journeys use it: a form description of the tests' own opens with
// the program's classes and skin, its handlers report what ran, and it ends when its window closes.
#include "E2eJourney.h"

namespace {

class TFormHostJourney : public TJourney {};

TEST_P(TFormHostJourney, OpensTheTestsForm_WithTheBuiltInSkin_AndEndsWithItsWindow)
{
    TScreenWindow form;
    ASSERT_NO_FATAL_FAILURE(StartForm("MainMenuForm.dfm", std::string(OMBRIX_SOURCE_DIR "/skins/slate/slate.ini"), "Main menu journey", form));
    // The skinned frame paints the caption: more than a flat patch of colour.
    const TSurface caption = D().Grab(TRect{form.Rect.Left, form.Rect.Top, form.Rect.Right, form.Rect.Top + 20});
    EXPECT_GE(CountColours(caption, caption.Bounds(), 16), 8) << "the frame's caption is not painted";
    Picture("form");

    ClickCaptionButton(form, 0);
    const std::optional<int> status = Program().WaitForExit(20s);
    ASSERT_TRUE(status.has_value()) << "closing the form's window did not end the host";
    EXPECT_EQ(*status, 0);
}

} // namespace

E2E_JOURNEY(TFormHostJourney);
