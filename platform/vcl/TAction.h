#pragma once
// Actions: a command with a caption, a check mark, an enabled state, a hint, an image and a
// shortcut, run by OnExecute. Clients (menu items, buttons) follow an action through an action link,
// which copies each change of the action to the client.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

class TBasicActionLink;
class TCustomImageList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;
    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate (to let it set Enabled, Checked...); false when there is none.
    virtual bool Update();
    void SetActionComponent(TComponent* Value) { FActionComponent = Value; }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    friend class TBasicActionLink;
    void RegisterChanges(TBasicActionLink* Link);
    void UnRegisterChanges(TBasicActionLink* Link);
    std::vector<TBasicActionLink*> FClients;

private:
    TComponent* FActionComponent = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    WORD ShortCut() const { return FShortCut; }
    void SetShortCut(WORD Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    const std::string& Category() const { return FCategory; }
    void SetCategory(const std::string& Value) { FCategory = Value; }
    // A disabled action does not run; AutoCheck toggles Checked first.
    bool Execute() override;

private:
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    std::string FHint;
    int FImageIndex = -1;
    WORD FShortCut = 0;
    int FGroupIndex = 0;
    bool FAutoCheck = false;
    std::string FCategory;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

// Joins a client to an action: the client overrides the setters it has.
class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* AClient) : FClient(AClient) {}
    ~TBasicActionLink() override;
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    TObject* Client() const { return FClient; }
    // Runs the action on behalf of the client.
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();

    // Called with the action's values when the link is made and whenever they change.
    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetVisible(bool) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(WORD) {}
    // The action went away.
    TNotifyEvent OnChange;

private:
    friend class TBasicAction;
    friend class TCustomAction;
    TBasicAction* FAction = nullptr;
    TObject* FClient;
};

using TActionLink = TBasicActionLink;

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // The actions of the list, in the order they were added.
    void AddAction(TBasicAction* Action);
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TBasicAction* Actions(int Index) const;
    // Runs the enabled action with this shortcut; true when one ran.
    bool IsShortCut(WORD ShortCut);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::vector<TBasicAction*> FActions;
    TComponentLink<TCustomImageList> FImages{this};
};

void RegisterActionClasses();
