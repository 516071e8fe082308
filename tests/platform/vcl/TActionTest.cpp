#include "platform/vcl/TAction.h"

#include <gtest/gtest.h>

namespace {
class TRecordingLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    std::string Caption;
    bool Enabled = true;
    bool Checked = false;
    void SetCaption(const std::string& v) override { Caption = v; }
    void SetEnabled(bool v) override { Enabled = v; }
    void SetChecked(bool v) override { Checked = v; }
};
} // namespace

TEST(TActionLinks, ClientsFollowTheActionsChanges)
{
    TComponent owner(nullptr);
    auto* action = new TAction(&owner);
    action->SetCaption("Start");
    TRecordingLink link(nullptr);
    link.SetAction(action);
    EXPECT_EQ(link.Caption, "Start");
    action->SetEnabled(false);
    EXPECT_FALSE(link.Enabled);
    action->Free();
    EXPECT_EQ(link.Action(), nullptr);
}

TEST(TActionExecute, DisabledActionsDoNotRunAndAutoCheckToggles)
{
    TComponent owner(nullptr);
    auto* action = new TAction(&owner);
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    action->SetAutoCheck(true);
    TRecordingLink link(nullptr);
    link.SetAction(action);
    EXPECT_TRUE(link.Execute());
    EXPECT_TRUE(link.Checked);
    action->SetEnabled(false);
    EXPECT_FALSE(link.Execute());
    EXPECT_EQ(runs, 1);
}

TEST(TActionExecute, OneCheckedActionPerGroup)
{
    TComponent owner(nullptr);
    auto* a = new TAction(&owner);
    auto* b = new TAction(&owner);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
}
