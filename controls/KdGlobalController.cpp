#include "controls/KdGlobalController.h"

#include <utility>
#include <vector>

#include "controls/KdWinProcMan.h"
#include "framework/ScopeGuards.h"

bool KdClassInList(const TObject& object, const TStrings& list)
{
    for (const std::wstring& name : object.ClassNames())
        for (int i = 0; i < list.Count(); ++i)
            if (list.Get(i) == name)
                return true;
    return false;
}

// ---- TKdAbstractGlobalController ----

TKdAbstractGlobalController::TKdAbstractGlobalController(TComponent* owner) : TComponent(owner) {}

void TKdAbstractGlobalController::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (active_)
        Apply();
    else
        Unapply();
}

void TKdAbstractGlobalController::SetControl(TControl* control)
{
    if (control == control_)
        return;
    if (control_)
        control_->RemoveFreeNotification(this);
    Unapply();
    control_ = control;
    if (control_)
        control_->FreeNotification(this);
    Apply();
}

void TKdAbstractGlobalController::Apply()
{
    if (applied_ || !CanApply())
        return;
    applied_ = true;
    ApplyTree(control_);
}

bool TKdAbstractGlobalController::CanApply()
{
    return control_ && active_ && !InState(csDesigning);
}

void TKdAbstractGlobalController::Unapply()
{
    if (!applied_ || !CanUnapply())
        return;
    applied_ = false;
    UnapplyTree(control_);
}

void TKdAbstractGlobalController::Reapply()
{
    if (!applied_)
        return;
    Unapply();
    Apply();
}

void TKdAbstractGlobalController::ApplyTree(TControl* control)
{
    ApplyTo(control);
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed || !ShouldDescend(control))
        return;
    for (int i = 0; i < windowed->ControlCount(); ++i)
        ApplyTree(windowed->Controls(i));
}

void TKdAbstractGlobalController::UnapplyTree(TControl* control)
{
    UnapplyFrom(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < windowed->ControlCount(); ++i)
            UnapplyTree(windowed->Controls(i));
}

void TKdAbstractGlobalController::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove || !component || component != control_)
        return;
    // The root is being freed. Its children went before it, and their chains
    // with them, so there is nothing left to unapply; only the reference goes.
    control_ = nullptr;
    applied_ = false;
}

// ---- TKdCustomGlobalController ----

TKdCustomGlobalController::TKdCustomGlobalController(TComponent* owner)
    : TKdAbstractGlobalController(owner),
      targets_(std::make_unique<TStringList>()),
      excepting_(std::make_unique<TStringList>()),
      exceptInside_(std::make_unique<TStringList>())
{
    for (TStringList* list : {targets_.get(), excepting_.get(), exceptInside_.get()})
        list->OnChange = TNotifyEvent(this, &TKdCustomGlobalController::ListChangeEvent);
}

TKdCustomGlobalController::~TKdCustomGlobalController()
{
    for (TStringList* list : {targets_.get(), excepting_.get(), exceptInside_.get()})
        list->OnChange = nullptr;
}

void TKdCustomGlobalController::SetIncludeControl(bool include)
{
    if (include == includeControl_)
        return;
    includeControl_ = include;
    Reapply();
}

bool TKdCustomGlobalController::ShouldDescend(TControl* control)
{
    return !KdClassInList(*control, *exceptInside_);
}

void TKdCustomGlobalController::ListChanged(TStrings* list)
{
    if (list == targets_.get()) {
        Unapply();
        Apply();
    } else {
        Reapply();
    }
}

void TKdCustomGlobalController::ListChangeEvent(TObject* sender)
{
    ListChanged(dynamic_cast<TStrings*>(sender));
}

void TKdCustomGlobalController::AssignList(TStringList& list, const TStrings& lines)
{
    {
        const TValueScope<TNotifyEvent> quiet(list.OnChange, nullptr);
        list.Assign(lines);
    }
    ListChanged(&list);
}

// ---- TKdCustomGlobalWinController ----

TKdCustomGlobalWinController::TKdCustomGlobalWinController(TComponent* owner) : TKdCustomGlobalController(owner) {}

TKdCustomGlobalWinController::~TKdCustomGlobalWinController()
{
    Destroying();
    Unapply();
    // Controls moved out of the tree, refused by CanUnhook or being destroyed
    // keep an entry until here; none may outlive the controller.
    RemoveAllEntries();
}

void TKdCustomGlobalWinController::SetPriority(int32_t priority)
{
    if (priority == priority_)
        return;
    priority_ = priority;
    if (!Applied())
        return;
    // Adding again moves an entry and keeps the state it is given.
    for (TKdWPM* manager : TKdWPMList(TKdWPM::Registry()))
        if (const TKdWPMItem* entry = manager->Find(OwnHook()))
            manager->Add(priority_, entry->Param, OwnHook());
    ApplyTree(Control());
}

bool TKdCustomGlobalWinController::ShouldHook(TControl* control, int32_t&)
{
    if (control == Control() && IncludeControl())
        return true;
    return KdClassInList(*control, *Targets()) && !KdClassInList(*control, *Excepting());
}

void TKdCustomGlobalWinController::ApplyTo(TControl* control)
{
    int32_t state = 0;
    if (!ShouldHook(control, state))
        return;
    TKdWinProcMan* manager = TKdWinProcMan::ForControl(control);
    if (manager->Find(OwnHook()))
        return;
    manager->Add(priority_, state, OwnHook());
    ControlHooked(control);
}

void TKdCustomGlobalWinController::UnapplyFrom(TControl* control)
{
    // A control on its way out takes its chain with it; its class may already
    // be cut down to the base's, so nothing here may ask about it.
    if (control->InState(csDestroying))
        return;
    TKdWinProcMan* manager = TKdWinProcMan::Existing(control);
    const TKdWPMItem* entry = manager ? manager->Find(OwnHook()) : nullptr;
    if (!entry)
        return;
    int32_t state = entry->Param;
    if (!CanUnhook(control, state))
        return;
    manager->Remove(OwnHook());
    ControlUnhooked(control);
}

std::optional<int32_t> TKdCustomGlobalWinController::EntryState(const TControl* control) const
{
    TKdWinProcMan* manager = TKdWinProcMan::Existing(control);
    const TKdWPMItem* entry = manager ? manager->Find(OwnHook()) : nullptr;
    if (!entry)
        return std::nullopt;
    return entry->Param;
}

void TKdCustomGlobalWinController::RemoveAllEntries()
{
    for (TKdWPM* manager : TKdWPMList(TKdWPM::Registry()))
        manager->Remove(OwnHook());
}

void TKdCustomGlobalWinController::HookProc(TKdWPM* manager, TMessage& msg, TWndMethod next, int32_t& param)
{
    // Kept per call: a nested message replaces the context only while it lasts.
    const TValueScope<TCallContext> context(call_, TCallContext{manager, &param, next});
    if (OnWndProc) {
        bool handled = false;
        OnWndProc(this, msg, handled, TWndMethod(this, &TKdCustomGlobalWinController::CallControlWndProc));
        if (!handled)
            CallControlWndProc(msg);
    } else {
        CallControlWndProc(msg);
    }
    if (!manager->DestroyPending())
        return;
    // The control is being destroyed and its chain ends with this message.
    // Only what every control has is looked at: the derived parts may be gone.
    TControl* control = KdHookedControl(manager);
    if (!control)
        return;
    if (control == Control())
        SetControl(nullptr);
    else
        UnapplyTree(control);
}

void TKdCustomGlobalWinController::CallControlWndProc(TMessage& msg)
{
    if (call_.manager)
        ControlWndProc(call_.manager, msg, *call_.param, call_.next);
}

void TKdCustomGlobalWinController::ControlWndProc(TKdWPM*, TMessage& msg, int32_t&, TWndMethod next)
{
    next(msg);
}
