#include "controls/KdWinProcMan.h"

class TKdWinProcMan::TWatch : public TComponent {
    KD_CLASS(TKdWinProcManWatch, TComponent)

public:
    explicit TWatch(TKdWinProcMan* manager) : TComponent(nullptr), manager_(manager) {}

    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component && component == manager_->control_)
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
    for (TKdWPM* manager : Registry())
        if (auto* own = dynamic_cast<TKdWinProcMan*>(manager); own && own->control_ == control)
            return own;
    return new TKdWinProcMan(control);
}

TKdWinProcMan::TKdWinProcMan(TControl* control)
    : control_(control), oldWndProc_(control->WindowProc), watch_(std::make_unique<TWatch>(this))
{
    // Everything that can fail comes before the control is touched.
    TKdWPMList& registry = Registry();
    registry.reserve(registry.size() + 1);
    control->FreeNotification(watch_.get());
    control->WindowProc = TWndMethod(this, &TKdWPM::HandleMessage);
    SetOwnerList(&registry);
    registry.push_back(this);
}

TKdWinProcMan::~TKdWinProcMan()
{
    Detach();
}

void TKdWinProcMan::CallPrevious(TMessage& msg)
{
    if (oldWndProc_)
        oldWndProc_(msg);
}

bool TKdWinProcMan::IsDestroying()
{
    return !control_ || control_->InState(csDestroying);
}

void TKdWinProcMan::RestoreWndProc()
{
    // Also lets go of the control: a manager that has shut down keeps no
    // reference to it while it waits to be freed.
    if (!control_)
        return;
    TControl* control = control_;
    control_ = nullptr;
    control->WindowProc = oldWndProc_;
    control->RemoveFreeNotification(watch_.get());
}

void TKdWinProcMan::ControlFreed()
{
    // The control is half gone: its handler must not be written back.
    control_ = nullptr;
    Shutdown();
}
