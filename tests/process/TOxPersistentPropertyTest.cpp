#include "process/TOxPersistentProperty.h"

#include <gtest/gtest.h>

namespace {

class TSample : public TOxPersistentProperty {
public:
    using TOxPersistentProperty::TOxPersistentProperty;
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetProperty(FWidth, Value, "Width"); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetProperty(FHeight, Value, "Height"); }

private:
    int FWidth = 0;
    int FHeight = 0;
};

struct TLog {
    std::vector<std::string> events;
    void Attach(TSample& s)
    {
        s.OnChanging = [this](TObject*) { events.push_back("changing"); };
        s.OnChanged = [this](TObject*) { events.push_back("changed"); };
        s.OnChangingProperty = [this](TObject*, const std::string& p) { events.push_back("changing " + p); };
        s.OnChangedProperty = [this](TObject*, const std::string& p) { events.push_back("changed " + p); };
    }
};

} // namespace

TEST(TOxPersistentProperty, SetterFiresTheFourEventsInOrder)
{
    TSample s(nullptr);
    TLog log;
    log.Attach(s);
    s.SetWidth(5);
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "changing Width", "changed Width", "changed"}));
}

TEST(TOxPersistentProperty, SameValueFiresNothing)
{
    TSample s(nullptr);
    TLog log;
    log.Attach(s);
    s.SetWidth(0);
    EXPECT_TRUE(log.events.empty());
}

TEST(TOxPersistentProperty, UpdateBracketFiresChangingAndChangedOnce)
{
    TSample s(nullptr);
    TLog log;
    log.Attach(s);
    s.BeginUpdate();
    s.BeginUpdate();
    s.SetWidth(1);
    s.SetHeight(2);
    s.EndUpdate();
    s.EndUpdate();
    s.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "changing Width", "changed Width", "changing Height",
                              "changed Height", "changed"}));
    EXPECT_EQ(s.UpdateCount(), 0);
}

TEST(TOxPersistent, ComponentOwnerOwnsAndNamesIt)
{
    auto* owner = new TComponent(nullptr);
    owner->SetName("Panel1");
    auto* sub = new TSample(owner);
    sub->SetName("Arrange");
    EXPECT_EQ(sub->Owner(), owner);
    EXPECT_EQ(sub->GetOwner(), owner);
    EXPECT_EQ(sub->NamePath(), "Panel1.Arrange");
    delete owner; // frees the sub-object too
}
