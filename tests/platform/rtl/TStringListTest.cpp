#include "platform/rtl/TStringList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStream.h"
#include "tests/support/TScratchFolder.h"

namespace {

std::vector<std::string> Lines(const TStrings& list)
{
    std::vector<std::string> r;
    for (int i = 0; i < list.Count(); ++i) {
        r.push_back(list.Strings(i));
    }
    return r;
}

using V = std::vector<std::string>;

void AddAll(TStrings& list, const V& items)
{
    for (const std::string& s : items) {
        list.Add(s);
    }
}

// A minimal TStrings over a vector, as other units subclass it: only the virtual core.
class TVectorStrings : public TStrings {
public:
    std::string Get(int index) const override
    {
        if (index < 0 || index >= GetCount()) {
            ErrorIndex(index);
        }
        return FItems[static_cast<size_t>(index)];
    }
    int GetCount() const override { return static_cast<int>(FItems.size()); }
    void Insert(int index, const std::string& s) override { FItems.insert(FItems.begin() + index, s); }
    void Delete(int index) override { FItems.erase(FItems.begin() + index); }
    void Clear() override { FItems.clear(); }
    void SetUpdateState(bool updating) override { Updates.push_back(updating); }
    std::vector<bool> Updates;

private:
    std::vector<std::string> FItems;
};

} // namespace

TEST(TStringListBasics, AddInsertDeleteAndObjects)
{
    TStringList list;
    int a = 1;
    EXPECT_EQ(list.Add("one"), 0);
    EXPECT_EQ(list.AddObject("two", &a), 1);
    list.Insert(0, "zero");
    EXPECT_EQ(Lines(list), (V{"zero", "one", "two"}));
    EXPECT_EQ(list.Objects(2), &a);
    list.SetStrings(2, "TWO");
    EXPECT_EQ(list.Objects(2), &a);  // replacing the text keeps the object
    list.Delete(1);
    EXPECT_EQ(Lines(list), (V{"zero", "TWO"}));
    list.Exchange(0, 1);
    EXPECT_EQ(Lines(list), (V{"TWO", "zero"}));
    EXPECT_EQ(list.Objects(0), &a);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringListBasics, IndexErrorsRaiseListErrorWithTheIndex)
{
    TStringList list;
    list.Add("a");
    try {
        list.Strings(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(2, "x"), EListError);
    EXPECT_THROW(list.SetObjects(1, nullptr), EListError);
    list.Insert(1, "end");  // Count itself is a valid place to insert
    EXPECT_EQ(list.Count(), 2);
}

TEST(TStringListBasics, IndexOfIgnoresCase)
{
    TStringList list;
    AddAll(list, {"Alpha", "Beta"});
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    EXPECT_EQ(list.IndexOf("gamma"), -1);
}

TEST(TStringListText, GetEndsEveryLineWithCrLf)
{
    TStringList list;
    list.Add("a");
    list.Add("");
    list.Add("b");
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
    list.Clear();
    EXPECT_EQ(list.Text(), "");
}

TEST(TStringListText, SetSplitsAtCrLfLfOrCrAndKeepsALastLineWithoutBreak)
{
    TStringList list;
    list.SetText("a\r\nb\nc\rd\n\re");
    EXPECT_EQ(Lines(list), (V{"a", "b", "c", "d", "", "e"}));
    list.SetText("one\r\n");
    EXPECT_EQ(Lines(list), (V{"one"}));
    list.SetText("\n");
    EXPECT_EQ(Lines(list), (V{""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.SetText("x\r\n\r\n");
    EXPECT_EQ(Lines(list), (V{"x", ""}));
}

TEST(TStringListNameValue, NamesValuesAndValueFromIndex)
{
    TStringList list;
    list.Add("Width=320");
    list.Add("plain");
    list.Add("Url=a=b");
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("width"), "320");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.Values("url"), "a=b");
    EXPECT_EQ(list.ValueFromIndex(1), "");
    EXPECT_EQ(list.IndexOfName("URL"), 2);
}

TEST(TStringListSorted, SwitchingOnSortsAndAddKeepsOrder)
{
    TStringList list;
    AddAll(list, {"pear", "Apple", "banana"});
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (V{"Apple", "banana", "pear"}));
    EXPECT_EQ(list.Add("cherry"), 2);
    EXPECT_EQ(Lines(list), (V{"Apple", "banana", "cherry", "pear"}));
    int index = -1;
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("coconut", index));
    EXPECT_EQ(index, 3);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
    EXPECT_THROW(list.SetStrings(0, "x"), EListError);
}

TEST(TStringListSorted, AnEqualStringIsNotAddedAgain)
{
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("a");
    EXPECT_EQ(list.Add("B"), 1);  // the index of the one already there
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
}

TEST(TStringListSort, CustomSortSeesIndicesOfTheUnsortedList)
{
    TStringList list;
    AddAll(list, {"10", "9", "100", "1"});
    list.CustomSort([](TStringList* l, int a, int b) { return std::stoi(l->Strings(a)) - std::stoi(l->Strings(b)); });
    EXPECT_EQ(Lines(list), (V{"1", "9", "10", "100"}));
}

TEST(TStringListEvents, ChangeEventsFireOncePerChangeAndOncePerUpdateBlock)
{
    TStringList list;
    std::vector<std::string> events;
    list.OnChanging = [&](TStrings* s) { events.push_back("changing " + std::to_string(s->Count())); };
    list.OnChange = [&](TStrings* s) { events.push_back("change " + std::to_string(s->Count())); };
    list.Add("a");
    EXPECT_EQ(events, (V{"changing 0", "change 1"}));
    events.clear();
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.BeginUpdate();
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(events, (V{"changing 1"}));
    list.EndUpdate();
    EXPECT_EQ(events, (V{"changing 1", "change 2"}));
    events.clear();
    list.SetText("x\ny");  // a whole text is one change
    EXPECT_EQ(events, (V{"changing 2", "change 2"}));
}

TEST(TStringListAssign, CopiesLinesAndObjects)
{
    TStringList a;
    int o = 0;
    a.AddObject("x", &o);
    a.Add("y");
    TStringList b;
    b.Add("old");
    b.Assign(a);
    EXPECT_EQ(Lines(b), (V{"x", "y"}));
    EXPECT_EQ(b.Objects(0), &o);
    b.AddStrings(b);  // adding a list to itself doubles it, no endless loop
    EXPECT_EQ(Lines(b), (V{"x", "y", "x", "y"}));
}

TEST(TStringsSubclass, TheVirtualCoreIsEnough)
{
    TVectorStrings list;
    list.SetText("b=2\r\na=1");
    EXPECT_EQ(list.Values("A"), "1");
    EXPECT_EQ(list.IndexOf("B=2"), 0);
    list.SetStrings(0, "c=3");
    EXPECT_EQ(list.Text(), "c=3\r\na=1\r\n");
    list.Move(0, 1);
    EXPECT_EQ(Lines(list), (V{"a=1", "c=3"}));
    EXPECT_EQ(list.Updates.front(), true);
    EXPECT_EQ(list.Updates.back(), false);
    EXPECT_THROW(list.Strings(5), EListError);
}

TEST(TStringListFiles, SaveWritesCrLfAndLoadReadsAnyLineEnds)
{
    TScratchFolder dir;
    TStringList list;
    list.Add("first");
    list.Add("s\xC3\xA9" "cond");
    list.SaveToFile(dir / "out.txt");
    EXPECT_EQ(TScratchFolder::Read(dir / "out.txt"), "first\r\ns\xC3\xA9" "cond\r\n");

    TStringList back;
    back.LoadFromFile(dir.Write("in.txt", "\xEF\xBB\xBFone\ntwo\rthree"));
    EXPECT_EQ(Lines(back), (V{"one", "two", "three"}));
}

TEST(TStringListFiles, StreamsReadFromThePosition)
{
    TStringStream stream("skip\r\na\r\nb");
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
    TStringStream out;
    list.SaveToStream(&out);
    EXPECT_EQ(out.DataString(), "a\r\nb\r\n");
}

TEST(TStringListFiles, MissingOrUnwritableFilesRaiseWithThePath)
{
    TScratchFolder dir;
    TStringList list;
    list.Add("keep");
    try {
        list.LoadFromFile(dir / "missing.txt");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(dir / "missing.txt"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Lines(list), (V{"keep"}));  // a failed load leaves the list as it was
    EXPECT_THROW(list.LoadFromFile(dir.Path()), EFOpenError);
    try {
        list.SaveToFile(dir / "no/such/folder.txt");
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find("no/such/folder.txt"), std::string::npos) << e.Message();
    }
}
