// The tray icon's animations: starting, stepping through the pictures on a
// timer, and stopping with or without the icon from before the start.
#include <algorithm>

#include "framework/ImageList.h"
#include "framework/ScopeGuards.h"
#include "framework/Timer.h"
#include "widgets/ELTrayIcon.h"

// ---- TELTrayIconAnimationsItem ----

TELTrayIconAnimationsItem::TELTrayIconAnimationsItem(TCollection* collection) : TCollectionItem(collection) {}

TELTrayIconAnimationsItem::~TELTrayIconAnimationsItem()
{
    // While the collection itself is being freed it has stopped the animation
    // already, and it is no longer a collection of animations.
    TELTrayIconAnimations* animations = Animations();
    if (!animations)
        return;
    try {
        if (animations->ActiveItem() == this)
            animations->SetActiveItem(nullptr);
    } catch (...) {
        // The item goes all the same; only restoring the old icon failed.
    }
    if (animations->ActiveItem() == this)
        animations->activeItem_ = nullptr;
    if (imageList_ && !animations->UsesImageList(imageList_, this))
        imageList_->RemoveFreeNotification(animations->owner_);
}

TELTrayIconAnimations* TELTrayIconAnimationsItem::Animations() const
{
    return dynamic_cast<TELTrayIconAnimations*>(Collection());
}

bool TELTrayIconAnimationsItem::Active() const
{
    const TELTrayIconAnimations* animations = Animations();
    return animations && animations->ActiveItem() == this;
}

void TELTrayIconAnimationsItem::SetActive(bool active)
{
    if (active == Active())
        return;
    TELTrayIconAnimations* animations = Animations();
    if (!animations)
        return;
    animations->SetActiveItem(active ? this : nullptr);
}

void TELTrayIconAnimationsItem::SetImageList(TImageList* list)
{
    if (list == imageList_)
        return;
    TELTrayIconAnimations* animations = Animations();
    TELTrayIcon* icon = animations ? animations->owner_ : nullptr;
    if (!icon || !icon->InState(csLoading))
        SetActive(false);
    TImageList* old = imageList_;
    imageList_ = list;
    if (!icon)
        return;
    // The tray icon stays told of the old list's free while another item uses it.
    if (old && !animations->UsesImageList(old, this))
        old->RemoveFreeNotification(icon);
    if (list)
        list->FreeNotification(icon);
}

void TELTrayIconAnimationsItem::Assign(const TPersistent* source)
{
    const auto* other = dynamic_cast<const TELTrayIconAnimationsItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    SetImageList(other->imageList_);
    interval_ = other->interval_;
    circular_ = other->circular_;
    restoreOldIcon_ = other->restoreOldIcon_;
}

// ---- TELTrayIconAnimations ----

TELTrayIconAnimations::TELTrayIconAnimations(TELTrayIcon* owner)
    : TCollection(ItemClassOf<TELTrayIconAnimationsItem>()), owner_(owner)
{
}

TELTrayIconAnimations::~TELTrayIconAnimations()
{
    try {
        SetActiveItem(nullptr);
    } catch (...) {
        // Freed all the same; only restoring the old icon failed.
    }
    activeItem_ = nullptr;
    for (int i = 0; i < Count(); ++i)
        if (TImageList* list = Items(i)->imageList_)
            list->RemoveFreeNotification(owner_);
}

void TELTrayIconAnimations::SetActiveItem(TELTrayIconAnimationsItem* item)
{
    if (owner_->InState(csLoading)) {
        activeItem_ = item;  // the tray icon starts it once it is loaded
        return;
    }
    if (item && (!item->ImageList() || item->ImageList()->Count() == 0))
        throw EELTrayIcon(L"Can not start animation without images");
    const bool designing = owner_->InState(csDesigning);
    if (!designing && activeItem_)
        Stop(activeItem_->RestoreOldIcon() && !item);
    activeItem_ = item;
    if (!designing && owner_->Active() && activeItem_)
        Start();
}

void TELTrayIconAnimations::Start()
{
    if (!savedIcon_) {
        auto saved = std::make_unique<TIcon>();
        saved->Assign(*owner_->Icon());
        savedIcon_ = std::move(saved);
    }
    if (!timer_) {
        timer_ = std::make_unique<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->OnTimer = TNotifyEvent(this, &TELTrayIconAnimations::Step);
    }
    frameIndex_ = -1;
    Step(nullptr);
}

void TELTrayIconAnimations::Step(TObject*)
{
    if (!activeItem_)
        return;
    TImageList* list = activeItem_->ImageList();
    const int count = list ? list->Count() : 0;
    ++frameIndex_;
    if (frameIndex_ > count - 1) {
        // A list emptied while the animation ran ends it, circular or not.
        if (activeItem_->Circular() && count > 0) {
            frameIndex_ = 0;
        } else {
            SetActiveItem(nullptr);  // frees the timer whose tick this may be
            return;
        }
    }
    {
        owner_->state_ |= TELTrayIcon::kAnimating;
        const TScopeExit animating([this] { owner_->state_ &= static_cast<uint8_t>(~TELTrayIcon::kAnimating); });
        list->GetIcon(frameIndex_, *owner_->icon_);
    }
    // An interval below 1 leaves the picture standing, as a stopped timer would.
    timer_->SetInterval(static_cast<unsigned>(std::max(0, activeItem_->Interval())));
    timer_->SetEnabled(true);
}

void TELTrayIconAnimations::Stop(bool restore)
{
    timer_.reset();
    std::unique_ptr<TIcon> saved = std::move(savedIcon_);
    if (!restore || !saved)
        return;
    owner_->state_ |= TELTrayIcon::kAnimating;
    const TScopeExit animating([this] { owner_->state_ &= static_cast<uint8_t>(~TELTrayIcon::kAnimating); });
    owner_->icon_->Assign(*saved);
}

bool TELTrayIconAnimations::UsesImageList(const TComponent* list, const TELTrayIconAnimationsItem* except) const
{
    for (int i = 0; i < Count(); ++i) {
        const TELTrayIconAnimationsItem* item = Items(i);
        if (item != except && item->imageList_ == list)
            return true;
    }
    return false;
}

void TELTrayIconAnimations::ImageListFreed(const TComponent* list)
{
    for (int i = 0; i < Count(); ++i) {
        TELTrayIconAnimationsItem* item = Items(i);
        if (item->imageList_ != list)
            continue;
        if (activeItem_ == item) {
            try {
                SetActiveItem(nullptr);
            } catch (...) {
                activeItem_ = nullptr;  // the list is going: the animation ends regardless
            }
        }
        item->imageList_ = nullptr;
    }
}
