#pragma once
// Global controllers: one behaviour applied at once to a root control and every
// control inside it whose class (or an ancestor class) is a target and not an
// exception. The window variant files one shared hook in the chain of each
// chosen control, with a state value of its own per control.
#include <cstdint>
#include <memory>
#include <optional>

#include "controls/KdWPM.h"
#include "controls/KdWinController.h"
#include "framework/Controls.h"
#include "framework/Strings.h"

// Whether object's class or one of its ancestor classes is named by a line of
// list (exact, case-sensitive): "TCustomEdit" takes in every edit and memo.
bool KdClassInList(const TObject& object, const TStrings& list);

class TKdAbstractGlobalController : public TComponent {
    CLASS_INFO(TKdAbstractGlobalController, TComponent)

public:
    explicit TKdAbstractGlobalController(TComponent* owner);

    // Whether the behaviour is applied to the tree now.
    bool Applied() const { return applied_; }

    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Whether the controller wants to be applied.
    bool Active() const { return active_; }
    void SetActive(bool active);
    // The root of the tree; not owned (free notification).
    TControl* Control() const { return control_; }
    void SetControl(TControl* control);

    virtual void Apply();
    virtual bool CanApply();
    // Whether the controls inside `control` are visited.
    virtual bool ShouldDescend(TControl*) { return false; }
    virtual bool CanUnapply() { return true; }
    virtual void Unapply();
    virtual void ApplyTo(TControl* control) = 0;
    virtual void UnapplyFrom(TControl* control) = 0;
    virtual void Reapply();

    // ApplyTo for control and, where ShouldDescend allows, everything inside it.
    void ApplyTree(TControl* control);
    // UnapplyFrom for control and everything inside it.
    void UnapplyTree(TControl* control);

private:
    bool active_ = true;
    TControl* control_ = nullptr;
    bool applied_ = false;
};

class TKdCustomGlobalController : public TKdAbstractGlobalController {
    CLASS_INFO(TKdCustomGlobalController, TKdAbstractGlobalController)

public:
    explicit TKdCustomGlobalController(TComponent* owner);
    ~TKdCustomGlobalController() override;

protected:
    // Class names the behaviour applies to; changing the lines re-applies.
    TStringList* Targets() const { return targets_.get(); }
    void SetTargets(const TStrings& lines) { AssignList(*targets_, lines); }
    // Class names it does not apply to, even when targeted.
    TStringList* Excepting() const { return excepting_.get(); }
    void SetExcepting(const TStrings& lines) { AssignList(*excepting_, lines); }
    // Class names whose children are not visited.
    TStringList* ExceptInside() const { return exceptInside_.get(); }
    void SetExceptInside(const TStrings& lines) { AssignList(*exceptInside_, lines); }
    // Applies to the root itself whatever the lists say.
    bool IncludeControl() const { return includeControl_; }
    void SetIncludeControl(bool include);

    bool ShouldDescend(TControl* control) override;
    // One of the lists changed: Targets re-applies from scratch, the others
    // re-apply only while applied.
    virtual void ListChanged(TStrings* list);

private:
    void ListChangeEvent(TObject* sender);
    // Copies the lines without raising the list's change event, then reports one change.
    void AssignList(TStringList& list, const TStrings& lines);

    std::unique_ptr<TStringList> targets_;
    std::unique_ptr<TStringList> excepting_;
    std::unique_ptr<TStringList> exceptInside_;
    bool includeControl_ = false;
};

class TKdCustomGlobalWinController : public TKdCustomGlobalController {
    CLASS_INFO(TKdCustomGlobalWinController, TKdCustomGlobalController)

public:
    explicit TKdCustomGlobalWinController(TComponent* owner);
    ~TKdCustomGlobalWinController() override;

    // The hook filed in the chain of every chosen control; param is the
    // control's state value.
    virtual void HookProc(TKdWPM* manager, TMessage& msg, TWndMethod next, int32_t& param);

    // The state value in control's entry; nothing when control has no entry.
    std::optional<int32_t> EntryState(const TControl* control) const;

protected:
    // The chain priority of the entries; changing it moves them, state and all.
    int32_t Priority() const { return priority_; }
    virtual void SetPriority(int32_t priority);

    // The controller's work on one message of a hooked control; runs the rest
    // of the chain through next. Here: only that.
    virtual void ControlWndProc(TKdWPM* manager, TMessage& msg, int32_t& state, TWndMethod next);
    // Whether control gets an entry, and the state it starts with.
    virtual bool ShouldHook(TControl* control, int32_t& state);
    // Whether control's entry (holding state) may be taken out.
    virtual bool CanUnhook(TControl*, int32_t&) { return true; }
    // Told after an entry was filed in, or taken out of, control's chain.
    virtual void ControlHooked(TControl*) {}
    virtual void ControlUnhooked(TControl*) {}

    void ApplyTo(TControl* control) override;
    void UnapplyFrom(TControl* control) override;

    // Raised for every message of every hooked control; NextWndProc lets the
    // controller's own work and the rest of the chain run now.
    TKdWndProcEvent OnWndProc;

    // The chain entry's hook; it only names this controller, so a const
    // controller may hand it out.
    TKdHookProc OwnHook() const
    {
        return TKdHookProc(const_cast<TKdCustomGlobalWinController*>(this), &TKdCustomGlobalWinController::HookProc);
    }

private:
    // ControlWndProc with the context of the hook call in progress.
    void CallControlWndProc(TMessage& msg);
    // Takes this controller's entry out of every chain, wherever its control is.
    void RemoveAllEntries();

    struct TCallContext {
        TKdWPM* manager = nullptr;
        int32_t* param = nullptr;
        TWndMethod next;
    };

    int32_t priority_ = 100;
    TCallContext call_;
};
