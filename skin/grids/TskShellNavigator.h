#pragma once
// Where the linked shell views (the folder tree, the file list and the folder path box) are, held once
// for all of them. Linking two views puts both on one navigator, with whatever either was linked to
// already; a view that goes elsewhere tells its navigator, and the navigator tells the others, so no
// view knows another. A view that is freed or unlinked leaves its navigator; the last to leave frees it.
// The views also take a new root and new object types the one same way.
#include <array>
#include <memory>
#include <string>

#include "skin/grids/ShellIdLists.h"
#include "skin/grids/TskShellFolder.h"

// A navigator has at most one view of each kind.
enum TShellViewKind { svTree, svList, svPathBox };

class TskShellNavigator;

// What a shell view is to the navigator it observes.
class TskShellView {
public:
    TskShellView(const TskShellView&) = delete;
    TskShellView& operator=(const TskShellView&) = delete;

    TShellViewKind ViewKind() const { return FKind; }
    // The navigator this view shares with the views linked to it; nullptr before any link.
    TskShellNavigator* Navigator() const { return FNavigator.get(); }

protected:
    explicit TskShellView(TShellViewKind Kind) : FKind(Kind) {}
    ~TskShellView();

    // Puts this view and Other on one navigator. A view of Other's kind linked to this one until now
    // leaves; Other's own companions come along where their place is free.
    void LinkView(TskShellView* Other);
    // The view of Kind linked to this one leaves the navigator (nothing when there is none).
    void UnlinkView(TShellViewKind Kind);
    // The view of Kind linked to this one, or nullptr; as its own class TView (the one every view of
    // Kind is) where the caller knows it.
    TskShellView* LinkedView(TShellViewKind Kind) const;
    template <class TView> TView* LinkedViewAs(TShellViewKind Kind) const { return static_cast<TView*>(LinkedView(Kind)); }
    // Links View (of Kind); nullptr unlinks the view of Kind.
    void SetLinkedView(TShellViewKind Kind, TskShellView* View);
    // Tells the linked views that this one now shows the root named Root, or the folder with this ID
    // list. What a view does while it follows another one is not told again: the others are told by
    // the navigator itself, so a move never echoes back.
    void TellRoot(const std::string& Root);
    void TellFolder(const TItemIDList& ID);
    // Leaves the navigator: called first when a view is freed, before its own parts go.
    void LeaveNavigator();

    // How every view takes a new root: nothing when Value is the root it shows already; only the name
    // while it loads (it shows the root once loaded); else the folder is resolved first, so that a name
    // that names nothing raises "Error setting path: ..." and leaves the view as it was, and then Root
    // takes the name and Show is given the folder to show.
    template <class TShow>
    static void TakeRoot(std::string& Root, bool Shown, bool Loading, const std::string& Value, TShow Show)
    {
        if (Value == Root && Shown)
            return;
        if (Loading) {
            Root = Value;
            return;
        }
        std::unique_ptr<TskShellFolder> folder = CreateRootFolder(Value);
        Root = Value;
        Show(std::move(folder));
    }
    // How every view takes new object types: Relist lists its root anew with them, at once or, while
    // the view loads, not before it has loaded.
    template <class TRelist>
    static void TakeObjectTypes(TShellObjectTypes& Types, TShellObjectTypes Value, bool Loading, TRelist Relist)
    {
        if (Value == Types)
            return;
        Types = Value;
        if (!Loading)
            Relist();
    }

    // What the navigator asks of this view when a linked one went elsewhere.
    virtual void FollowRoot(const std::string& Root) = 0;
    virtual void FollowFolder(const TItemIDList& ID) = 0;

private:
    friend class TskShellNavigator;

    TShellViewKind FKind;
    std::shared_ptr<TskShellNavigator> FNavigator;
};

class TskShellNavigator {
public:
    // The root and the folder the views were last told of ("" and empty before the first move).
    const std::string& Root() const { return FRoot; }
    const TItemIDList& Folder() const { return FFolder; }
    // The view of Kind on this navigator, or nullptr.
    TskShellView* View(TShellViewKind Kind) const { return FViews[Kind]; }

private:
    friend class TskShellView;
    // View leaves the navigator it was on and takes its place on Self (the one there before leaves).
    static void Join(const std::shared_ptr<TskShellNavigator>& Self, TskShellView* View);
    void ChangeRoot(TskShellView* Source, const std::string& Root);
    void ChangeFolder(TskShellView* Source, const TItemIDList& ID);
    template <class TTell> void TellOthers(TskShellView* Source, TTell Tell);

    std::array<TskShellView*, 3> FViews{};
    std::string FRoot;
    TItemIDList FFolder;
    bool FTelling = false;
};
