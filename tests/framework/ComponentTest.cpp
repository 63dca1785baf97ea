#include "framework/Component.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"

namespace {

// Records what it hears and when it dies.
struct Probe : TComponent {
    CLASS_INFO(Probe, TComponent)
    Probe(TComponent* owner, std::vector<std::wstring>* log = nullptr) : TComponent(owner), log_(log) {}
    ~Probe() override
    {
        if (log_)
            log_->push_back(L"free " + Name());
    }
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove) {
            removed.push_back(c);
            if (c == watched)
                watched = nullptr;
        }
    }
    std::vector<TComponent*> removed;
    TComponent* watched = nullptr;
    std::vector<std::wstring>* log_;
};

TEST(ComponentTest, OwnerFreesItsComponentsLastFirst)
{
    std::vector<std::wstring> log;
    auto* owner = new Probe(nullptr, &log);
    owner->SetName(L"Owner");
    auto* a = new Probe(owner, &log);
    a->SetName(L"A");
    auto* b = new Probe(owner, &log);
    b->SetName(L"B");
    new Probe(a, &log);  // grandchild, unnamed
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(a->Owner(), owner);
    delete owner;
    EXPECT_EQ(log, (std::vector<std::wstring>{L"free Owner", L"free B", L"free A", L"free "}));
}

TEST(ComponentTest, FindComponentByNameWithoutCase)
{
    TComponent owner(nullptr);
    auto* a = new Probe(&owner);
    a->SetName(L"Button3");
    EXPECT_EQ(owner.FindComponent(L"button3"), a);
    EXPECT_EQ(owner.FindComponent(L"Button"), nullptr);
    EXPECT_EQ(owner.FindComponent(L""), nullptr);
    EXPECT_EQ(FindComponentAs<Probe>(&owner, L"BUTTON3"), a);
    auto* b = new Probe(&owner);
    EXPECT_THROW(b->SetName(L"BUTTON3"), EComponentError);
    EXPECT_TRUE(b->Name().empty());
}

TEST(ComponentTest, FreeNotificationReachesWatcherOnEitherSide)
{
    Probe watcher(nullptr);
    auto* target = new Probe(nullptr);
    target->FreeNotification(&watcher);
    watcher.watched = target;
    delete target;
    EXPECT_EQ(watcher.watched, nullptr);

    // The watcher dies first: the target must not call into it later.
    auto* target2 = new Probe(nullptr);
    {
        Probe shortLived(nullptr);
        target2->FreeNotification(&shortLived);
    }
    delete target2;  // would touch freed memory under the sanitizer if still linked
}

TEST(ComponentTest, SiblingsHearOfRemovalAndStateFlags)
{
    TComponent form(nullptr);
    auto* ctrl = new Probe(&form);
    auto* other = new Probe(&form);
    delete ctrl;
    ASSERT_EQ(other->removed.size(), 1u);
    EXPECT_EQ(other->removed[0], ctrl);
    EXPECT_EQ(form.ComponentCount(), 1);

    EXPECT_FALSE(other->InState(csDestroying));
    EXPECT_FALSE(other->InState(csDesigning));
    form.SetLoading(true);
    EXPECT_TRUE(other->InState(csLoading));
    form.SetLoading(false);
    EXPECT_FALSE(other->InState(csLoading));
    form.Destroying();
    EXPECT_TRUE(other->InState(csDestroying));
}

TEST(ComponentTest, ClassNamesAtRunTime)
{
    Probe p(nullptr);
    EXPECT_STREQ(p.ClassName(), L"Probe");
    EXPECT_TRUE(p.InheritsFrom(L"TComponent"));
    EXPECT_TRUE(p.InheritsFrom(L"TObject"));
    EXPECT_FALSE(p.InheritsFrom(L"TControl"));
    EXPECT_EQ(p.ClassNames(), (std::vector<std::wstring>{L"Probe", L"TComponent", L"TPersistent", L"TObject"}));
}

// A setting holder that can copy itself into another of its kind only.
struct Setting : TPersistent {
    CLASS_INFO(Setting, TPersistent)
    int value = 0;

protected:
    void AssignTo(TPersistent* dest) const override
    {
        if (auto* other = dynamic_cast<Setting*>(dest))
            other->value = value;
        else
            TPersistent::AssignTo(dest);
    }
};

TEST(PersistentTest, AssignCopiesThroughTheSourceOrRaisesTheAssignmentError)
{
    Setting a, b;
    a.value = 7;
    b.Assign(&a);
    EXPECT_EQ(b.value, 7);

    Probe component(nullptr);
    try {
        component.Assign(&a);
        ADD_FAILURE() << "no assignment error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a Setting to a Probe");
    }
    try {
        a.Assign(nullptr);
        ADD_FAILURE() << "no assignment error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a nil to a Setting");
    }
    EXPECT_EQ(a.value, 7);
}

}  // namespace
