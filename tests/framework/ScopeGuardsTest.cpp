#include "framework/ScopeGuards.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// The message of the error the body raised, or "" when it raised none.
template <class Body>
std::string ErrorOf(Body body)
{
    try {
        body();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

struct TUpdates {
    std::string log;
    bool failEnd = false;
    void BeginUpdate() { log += "b"; }
    void EndUpdate()
    {
        log += "e";
        if (failEnd)
            throw std::runtime_error("end");
    }
};

TEST(ScopeGuards, ValuesComeBackOnBothWaysOut)
{
    bool flag = false;
    int depth = 0;
    int value = 1;
    {
        const TFlagScope raised(flag);
        const TCountScope in(depth);
        const TValueScope<int> set(value, 2);
        EXPECT_TRUE(flag);
        EXPECT_EQ(depth, 1);
        EXPECT_EQ(value, 2);
    }
    EXPECT_FALSE(flag);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(value, 1);
    EXPECT_THROW(
        {
            const TFlagScope raised(flag);
            const TCountScope in(depth);
            const TValueScope<int> set(value, 3);
            throw std::runtime_error("body");
        },
        std::runtime_error);
    EXPECT_FALSE(flag);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(value, 1);
}

TEST(ScopeGuards, UndoStepsRunInReverseOrderUnlessDismissed)
{
    std::string log;
    {
        const TScopeExit first([&] { log += "1"; });
        TScopeExit dismissed([&] { log += "x"; });
        const TScopeExit second([&] { log += "2"; });
        dismissed.Dismiss();
    }
    EXPECT_EQ(log, "21");
    log.clear();
    auto work = [&](bool fail) {
        TScopeExit onFailure([&] { log += "f"; });
        if (fail)
            throw std::runtime_error("body");
        onFailure.Dismiss();
    };
    work(false);
    EXPECT_EQ(log, "");
    EXPECT_EQ(ErrorOf([&] { work(true); }), "body");
    EXPECT_EQ(log, "f");
}

// An error of the end step reaches the caller on the normal way out; while the
// body's error unwinds, the end still runs and the body's error is the one seen.
TEST(ScopeGuards, UpdateEndsOnceAndKeepsTheFirstError)
{
    TUpdates target;
    {
        const TUpdateScope update(target);
        EXPECT_EQ(target.log, "b");
    }
    EXPECT_EQ(target.log, "be");

    target = {.log = "", .failEnd = true};
    EXPECT_EQ(ErrorOf([&] { const TUpdateScope update(target); }), "end");
    EXPECT_EQ(target.log, "be");

    target.log.clear();
    EXPECT_EQ(ErrorOf([&] {
                  const TUpdateScope update(target);
                  throw std::runtime_error("body");
              }),
              "body");
    EXPECT_EQ(target.log, "be");
}

}  // namespace
