#pragma once
// TStrings: the abstract list of strings (each with an untyped object pointer) that list boxes,
// memos and grids expose; TStringList: the plain in-memory one. A subclass only has to provide
// the small virtual core (Get, GetCount, Insert, Delete, Clear, and Put/GetObject/PutObject when
// it keeps objects); everything else (Text, Names/Values, IndexOf, files...) is built
// on that core here.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TStream;

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings() = default;

    // --- the virtual core ---
    virtual std::string Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Put(int index, const std::string& s);       // default: Delete + Insert, object kept
    virtual void* GetObject(int index) const;                 // default: nullptr
    virtual void PutObject(int index, void* object);          // default: ignored
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Called with true when the first BeginUpdate starts and false when the last EndUpdate ends.
    virtual void SetUpdateState(bool updating);
    // How IndexOf, IndexOfName and Values compare; case-insensitive here, as in the library.
    virtual int CompareStrings(const std::string& a, const std::string& b) const;

    // --- built on the core (some virtual so a list can do them faster or guard them) ---
    virtual int Add(const std::string& s);                    // returns the new index
    virtual int AddObject(const std::string& s, void* object);
    virtual void InsertObject(int index, const std::string& s, void* object);
    void AddStrings(const TStrings& strings);
    void AddStrings(const TStrings* strings) { AddStrings(*strings); }
    // Contents and delimiter settings, inside one BeginUpdate/EndUpdate.
    void Assign(const TStrings& source);
    void Assign(const TStrings* source) { Assign(*source); }
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(const std::string& s) const;          // -1 when absent
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const void* object) const;

    int Count() const { return GetCount(); }
    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    void* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, void* object) { PutObject(index, object); }
    std::string operator[](int index) const { return Get(index); }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Every line followed by CR LF. Setting splits at CR LF, LF or CR; a last line without a
    // break counts, a break at the very end adds no empty line.
    virtual std::string GetText() const;
    virtual void SetText(const std::string& text);
    std::string Text() const { return GetText(); }

    // name=value lines. Names(i) is "" for a line without the separator; Values(name) is "" when
    // the name is absent.
    std::string Names(int index) const;
    std::string Values(const std::string& name) const;
    std::string ValueFromIndex(int index) const;

    // Files and streams hold the text with CR LF line ends (UTF-8, a leading byte-order mark is
    // skipped when reading). Errors raise EFOpenError / EFCreateError naming the path.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void LoadFromStream(TStream& stream);                     // from the current position to the end
    void SaveToStream(TStream& stream) const;
    void LoadFromStream(TStream* stream) { LoadFromStream(*stream); }
    void SaveToStream(TStream* stream) const { SaveToStream(*stream); }

protected:
    // Raises EListError "List index out of bounds (%d)".
    [[noreturn]] static void ErrorIndex(int index);
    [[noreturn]] static void Error(const std::string& msg);

private:
    int FUpdateCount = 0;
    char FNameValueSeparator = '=';
};

class TStringList : public TStrings {
public:
    using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

    TStringList() = default;
    ~TStringList() override = default;

    std::string Get(int index) const override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    void Put(int index, const std::string& s) override;      // EListError on a sorted list
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;   // EListError on a sorted list
    void Delete(int index) override;
    void Clear() override;
    void SetUpdateState(bool updating) override;

    // On a sorted list Add inserts at the sorted place, or returns the index of an equal string
    // already there (letter case does not count).
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, void* object) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const std::string& s) const override;         // binary search when sorted

    // Binary search of a sorted list: true when found, index = the first match or the place
    // where s would go. On an unsorted list the result is meaningless (as in the library).
    bool Find(const std::string& s, int& index) const;
    // Stable sort by CompareStrings / by a compare function given list indices.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);                               // switching on sorts at once
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int value);

    // Fired around every change while no update is running (and once around a whole
    // BeginUpdate/EndUpdate block).
    std::function<void(TStrings*)> OnChanging;
    std::function<void(TStrings*)> OnChange;

protected:
    virtual void Changing();
    virtual void Changed();

private:
    struct TStringItem {
        std::string FString;
        void* FObject = nullptr;
    };
    void InsertItem(int index, const std::string& s, void* object);
    void CheckIndex(int index) const;

    std::vector<TStringItem> FList;
    bool FSorted = false;
};

// The first entry after StartIndex that Matches, going on from the first entry up to StartIndex
// itself, so each entry is looked at once; a start outside the list begins at the first entry.
// -1 when none matches.
int FindStringFrom(const TStrings& Strings, int StartIndex, const std::function<bool(const std::string&)>& Matches);
