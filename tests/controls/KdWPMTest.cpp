#include "controls/KdWPM.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr uint32_t kMsgPing = 0x8001;
constexpr uint32_t kMsgInner = 0x8002;

// Stands in for a control: a replaceable handler, a being-destroyed flag and its
// own handling, which logs and answers.
struct TFakeControl : TObject {
    Log* log = nullptr;
    bool destroying = false;
    TWndMethod WindowProc;

    explicit TFakeControl(Log& l) : log(&l) { WindowProc = TWndMethod(this, &TFakeControl::OwnHandler); }
    void OwnHandler(TMessage& msg)
    {
        log->push_back("control");
        msg.Result += 1000;
    }
    void Send(uint32_t number)
    {
        TMessage msg;
        msg.Msg = number;
        WindowProc(msg);
    }
};

int gManagersAlive = 0;

class TFakeManager : public TKdWPM {
public:
    explicit TFakeManager(TFakeControl& c) : control_(&c), old_(c.WindowProc)
    {
        ++gManagersAlive;
        c.WindowProc = TWndMethod(this, &TKdWPM::HandleMessage);
        SetControl(&c);
        SetOwnerList(&Registry());
        Registry().push_back(this);
    }
    ~TFakeManager() override
    {
        Detach();
        --gManagersAlive;
    }

protected:
    void CallPrevious(TMessage& msg) override { old_(msg); }
    bool IsDestroying() override { return control_->destroying; }
    void RestoreWndProc() override { control_->WindowProc = old_; }

private:
    TFakeControl* control_;
    TWndMethod old_;
};

// A hook that logs its name and then runs `body`, or passes the message on.
struct THook {
    std::string name;
    Log* log;
    std::function<void(TKdWPM*, TMessage&, TWndMethod, int32_t&)> body;

    THook(std::string n, Log& l) : name(std::move(n)), log(&l) {}
    void Proc(TKdWPM* manager, TMessage& msg, TWndMethod next, int32_t& param)
    {
        log->push_back(name);
        if (body)
            body(manager, msg, next, param);
        else
            next(msg);
    }
    // Same object, other code: a different hook as far as the chain can tell.
    void Other(TKdWPM*, TMessage& msg, TWndMethod next, int32_t&)
    {
        log->push_back(name + ".other");
        next(msg);
    }
    TKdHookProc P() { return TKdHookProc(this, &THook::Proc); }
};

bool InRegistry(TKdWPM* m)
{
    auto& r = TKdWPM::Registry();
    return std::find(r.begin(), r.end(), m) != r.end();
}
bool Released(TKdWPM* m)
{
    auto& r = TKdWPM::ReleaseList();
    return std::find(r.begin(), r.end(), m) != r.end();
}

class KdWPMTest : public ::testing::Test {
protected:
    Log log;
    TFakeControl control{log};
    TFakeManager* manager = new TFakeManager(control);

    void TearDown() override
    {
        if (manager && manager->IsLive())
            delete manager;
        TKdWPM::FreeReleased();
        EXPECT_EQ(gManagersAlive, 0);
        EXPECT_TRUE(TKdWPM::ReleaseList().empty());
    }
    Log Take() { return std::exchange(log, {}); }
};

TEST_F(KdWPMTest, OnlyThePreviousHandlerPassesEverythingThrough)
{
    EXPECT_EQ(manager->EntryCount(), 1);
    EXPECT_TRUE(InRegistry(manager));
    TMessage msg{kMsgPing, 7, -7, 5};
    control.WindowProc(msg);
    EXPECT_EQ(Take(), Log{"control"});
    EXPECT_EQ(msg.Result, 1005);
    EXPECT_EQ(msg.WParam, 7u);
    EXPECT_EQ(manager->WalkDepth(), 0);
}

TEST_F(KdWPMTest, PriorityOrderAndEqualPriorities)
{
    THook a("a", log), b("b", log), c("c", log), d("d", log), e("e", log);
    manager->Add(100, 0, a.P());
    manager->Add(300, 0, b.P());
    manager->Add(-1, 0, c.P());
    manager->Add(100, 0, d.P());  // equal to a, added later: runs first
    manager->Add(0, 0, e.P());    // priority 0 runs before the control
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"b", "d", "a", "e", "control", "c"}));

    // A negative-priority hook sees the control's answer.
    TMessage seen;
    c.body = [&](TKdWPM*, TMessage& m, TWndMethod next, int32_t&) {
        seen = m;
        next(m);
    };
    control.Send(kMsgPing);
    EXPECT_EQ(seen.Result, 1000);
}

TEST_F(KdWPMTest, SameProcTwiceKeepsOneEntry)
{
    THook a("a", log), b("b", log);
    manager->Add(100, 1, a.P());
    manager->Add(50, 0, b.P());
    manager->Add(100, 2, a.P());
    EXPECT_EQ(manager->EntryCount(), 3);
    ASSERT_NE(manager->Find(a.P()), nullptr);
    EXPECT_EQ(manager->Find(a.P())->Param, 2);
    EXPECT_EQ(manager->Find(a.P())->Priority, 100);

    // Another priority moves the entry (with the new Param) below b.
    manager->Add(10, 3, a.P());
    EXPECT_EQ(manager->EntryCount(), 3);
    EXPECT_EQ(manager->Find(a.P())->Priority, 10);
    EXPECT_EQ(manager->Find(a.P())->Param, 3);
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"b", "a", "control"}));

    // And up again, above b, from below.
    manager->Add(200, 4, a.P());
    EXPECT_EQ(manager->EntryCount(), 3);
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"a", "b", "control"}));

    // Same object with other code is another hook.
    TKdHookProc other(&a, &THook::Other);
    manager->Add(200, 0, other);
    EXPECT_EQ(manager->EntryCount(), 4);
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"a.other", "a", "b", "control"}));

    EXPECT_TRUE(manager->Remove(a.P()));
    EXPECT_FALSE(manager->Remove(a.P()));
    EXPECT_EQ(manager->Find(a.P()), nullptr);
    // A hook without code would pass for the previous handler's place.
    manager->Add(5, 0, TKdHookProc());
    EXPECT_EQ(manager->EntryCount(), 3);
    EXPECT_FALSE(manager->Remove(TKdHookProc()));
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"a.other", "b", "control"}));
}

TEST_F(KdWPMTest, ParamIsKeptPerEntryAndContinuationRunsOnlyOnce)
{
    THook a("a", log), b("b", log);
    manager->Add(10, 40, a.P());
    manager->Add(20, 0, b.P());
    a.body = [](TKdWPM*, TMessage& m, TWndMethod next, int32_t& param) {
        ++param;
        next(m);
    };
    // b swallows every other message; calling its continuation twice does not
    // run the entries already passed again.
    int count = 0;
    b.body = [&](TKdWPM*, TMessage& m, TWndMethod next, int32_t&) {
        if (++count % 2 == 0)
            return;
        next(m);
        next(m);
    };
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"b", "a", "control"}));
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), Log{"b"});
    EXPECT_EQ(manager->Find(a.P())->Param, 41);
}

TEST_F(KdWPMTest, ChainChangesDuringAWalk)
{
    THook top("top", log), self("self", log), low("low", log), added("added", log), high("high", log);
    manager->Add(300, 0, top.P());
    manager->Add(200, 0, self.P());
    manager->Add(100, 0, low.P());

    // Removing itself mid-call: the walk goes on with the next lower entry, and
    // the hook may still touch its Param.
    self.body = [&](TKdWPM* m, TMessage& msg, TWndMethod next, int32_t& param) {
        EXPECT_TRUE(m->Remove(self.P()));
        param = 99;
        next(msg);
    };
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"top", "self", "low", "control"}));
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"top", "low", "control"}));

    // Inserting a lower hook mid-walk: reached in the same walk. A higher one
    // is not (it is behind the walk), but runs the next time.
    top.body = [&](TKdWPM* m, TMessage& msg, TWndMethod next, int32_t&) {
        m->Add(150, 0, added.P());
        m->Add(400, 0, high.P());
        next(msg);
    };
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"top", "added", "low", "control"}));
    top.body = nullptr;
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"high", "top", "added", "low", "control"}));

    // Removing an entry the walk has not reached yet: it is skipped; removing
    // one already passed does not disturb the walk.
    added.body = [&](TKdWPM* m, TMessage& msg, TWndMethod next, int32_t&) {
        m->Remove(low.P());
        m->Remove(high.P());
        next(msg);
    };
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"high", "top", "added", "control"}));
}

TEST_F(KdWPMTest, NestedWalksWhenAHookSendsToItsOwnControl)
{
    THook outer("outer", log), inner("inner", log), late("late", log);
    manager->Add(200, 0, outer.P());
    manager->Add(100, 0, inner.P());
    inner.body = [&](TKdWPM* m, TMessage& msg, TWndMethod next, int32_t&) {
        if (msg.Msg == kMsgPing) {
            EXPECT_EQ(m->WalkDepth(), 1);
            // The nested message adds a hook below the outer walk's position;
            // both walks must see the chain as it now is.
            control.Send(kMsgInner);
        } else {
            EXPECT_EQ(m->WalkDepth(), 2);
            m->Add(50, 0, late.P());
        }
        next(msg);
    };
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"outer", "inner", "outer", "inner", "late", "control", "late", "control"}));
    EXPECT_EQ(manager->WalkDepth(), 0);
}

TEST_F(KdWPMTest, DestroyWhileHooksRemain)
{
    THook a("a", log), neg("neg", log);
    manager->Add(100, 0, a.P());
    manager->Add(-5, 0, neg.P());

    // A destroy message while the control lives on (its window is recreated)
    // leaves the chain in place.
    control.Send(kKdWmDestroy);
    EXPECT_EQ(Take(), (Log{"a", "control", "neg"}));
    EXPECT_TRUE(manager->IsLive());
    EXPECT_FALSE(manager->DestroyPending());

    // While destroying, the hooks still see the message, then the chain ends.
    control.destroying = true;
    bool pendingSeen = false;
    a.body = [&](TKdWPM* m, TMessage& msg, TWndMethod next, int32_t&) {
        pendingSeen = m->DestroyPending();
        next(msg);
    };
    control.Send(kKdWmDestroy);
    EXPECT_EQ(Take(), (Log{"a", "control", "neg"}));
    EXPECT_TRUE(pendingSeen);
    EXPECT_FALSE(manager->IsLive());
    EXPECT_FALSE(InRegistry(manager));
    EXPECT_TRUE(Released(manager));
    EXPECT_TRUE(control.WindowProc == TWndMethod(&control, &TFakeControl::OwnHandler));

    // Late messages through a stale pointer are dropped; hooks cannot rejoin.
    TMessage late{kMsgPing, 0, 0, 0};
    manager->HandleMessage(late);
    manager->Add(1, 0, a.P());
    EXPECT_EQ(manager->EntryCount(), 0);
    EXPECT_TRUE(Take().empty());

    // The next manager made frees the released one.
    EXPECT_EQ(gManagersAlive, 1);
    TKdWPM::FreeReleased();
    EXPECT_EQ(gManagersAlive, 0);
    manager = nullptr;
}

TEST_F(KdWPMTest, DestroyDuringANestedWalkKeepsTheManagerUntilTheWalksEnd)
{
    THook a("a", log);
    manager->Add(100, 0, a.P());
    Log afterInner;
    a.body = [&](TKdWPM* m, TMessage& msg, TWndMethod next, int32_t&) {
        if (msg.Msg != kMsgPing) {
            next(msg);
            return;
        }
        control.destroying = true;
        control.Send(kKdWmDestroy);
        // The chain is gone; this manager is released but must not be freed
        // while this walk is still inside it, and the hook still learns from
        // it which control it serves.
        EXPECT_FALSE(m->IsLive());
        EXPECT_EQ(m->Control(), &control);
        TKdWPM::FreeReleased();
        EXPECT_EQ(gManagersAlive, 1);
        next(msg);  // the rest of the old chain is not run
    };
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"a", "a", "control"}));
    EXPECT_TRUE(Released(manager));
    TKdWPM::FreeReleased();
    EXPECT_EQ(gManagersAlive, 0);
    manager = nullptr;
}

TEST_F(KdWPMTest, AThrowingHookClosesItsWalk)
{
    THook a("a", log);
    manager->Add(100, 0, a.P());
    a.body = [](TKdWPM* m, TMessage&, TWndMethod, int32_t&) {
        m->Remove(TKdHookProc());  // nothing to remove
        throw std::runtime_error("boom");
    };
    EXPECT_THROW(control.Send(kMsgPing), std::runtime_error);
    EXPECT_EQ(manager->WalkDepth(), 0);
    a.body = nullptr;
    Take();
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), (Log{"a", "control"}));

    // A destroy that throws still ends the chain.
    control.destroying = true;
    a.body = [](TKdWPM*, TMessage&, TWndMethod, int32_t&) { throw std::runtime_error("boom"); };
    EXPECT_THROW(control.Send(kKdWmDestroy), std::runtime_error);
    EXPECT_FALSE(manager->IsLive());
    EXPECT_TRUE(control.WindowProc == TWndMethod(&control, &TFakeControl::OwnHandler));
}

TEST_F(KdWPMTest, DestroyingALiveManagerGivesTheHandlerBack)
{
    THook a("a", log);
    manager->Add(100, 0, a.P());
    delete manager;
    manager = nullptr;
    EXPECT_TRUE(control.WindowProc == TWndMethod(&control, &TFakeControl::OwnHandler));
    EXPECT_EQ(TKdWPM::Registry().size(), 0u);
    control.Send(kMsgPing);
    EXPECT_EQ(Take(), Log{"control"});
}

}  // namespace
