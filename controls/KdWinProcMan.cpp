#include "controls/KdWinProcMan.h"

class TKdWinProcMan::TWatch : public TComponent {
    CLASS_INFO(TKdWinProcManWatch, TComponent)

public:
    explicit TWatch(TKdWinProcMan* manager) : TComponent(nullptr), manager_(manager) {}

    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component && component == manager_->Control())
            manager_->ControlFreed();
    }

private:
    TKdWinProcMan* manager_;
};

TKdWinProcMan* TKdWinProcMan::ForControl(TControl* control)
{
    FreeReleased();
    if (!control)
        return nullptr;
    if (TKdWinProcMan* own = Existing(control))
        return own;
    return new TKdWinProcMan(control);
}

TKdWinProcMan* TKdWinProcMan::Existing(const TControl* control)
{
    if (!control)
        return nullptr;
    for (TKdWPM* manager : Registry())
        if (auto* own = dynamic_cast<TKdWinProcMan*>(manager); own && own->Control() == control)
            return own;
    return nullptr;
}

TKdWinProcMan::TKdWinProcMan(TControl* control)
    : oldWndProc_(control->WindowProc), watch_(std::make_unique<TWatch>(this))
{
    // Everything that can fail comes before the control is touched.
    TKdWPMList& registry = Registry();
    registry.reserve(registry.size() + 1);
    control->FreeNotification(watch_.get());
    control->WindowProc = TWndMethod(this, &TKdWPM::HandleMessage);
    SetControl(control);
    SetOwnerList(&registry);
    registry.push_back(this);
}

TKdWinProcMan::~TKdWinProcMan()
{
    Detach();
    if (TControl* control = Control())
        control->RemoveFreeNotification(watch_.get());
}

void TKdWinProcMan::CallPrevious(TMessage& msg)
{
    if (oldWndProc_)
        oldWndProc_(msg);
}

bool TKdWinProcMan::IsDestroying()
{
    return !Control() || Control()->InState(csDestroying);
}

void TKdWinProcMan::RestoreWndProc()
{
    // The control stays known (and watched) while the manager waits to be
    // freed: a hook still running may ask which control it served.
    if (TControl* control = Control())
        control->WindowProc = oldWndProc_;
}

void TKdWinProcMan::ControlFreed()
{
    // The control is half gone: its handler must not be written back.
    SetControl(nullptr);
    Shutdown();
}

TControl* KdHookedControl(const TKdWPM* manager)
{
    return manager ? dynamic_cast<TControl*>(manager->Control()) : nullptr;
}
