#pragma once
// Guards that undo a change when a scope ends, however it ends: a value set for
// the scope, a count held up, a BeginUpdate/EndUpdate pair and one-off restores.
// Platform-neutral; the guards for device contexts are in framework/Handles.h.
#include <exception>
#include <utility>

namespace scopeguards {

// Runs the undo step of a guard from its destructor. On the normal way out an
// error of the step reaches the caller, as from a call written after the block;
// while another error leaves the scope, that first error is the one that goes on.
template <class F>
void RunUndo(F& undo, int errorsAtStart)
{
    if (std::uncaught_exceptions() > errorsAtStart) {
        try {
            undo();
        } catch (...) {
            // The error already on its way is the one the caller hears of.
        }
        return;
    }
    undo();
}

}  // namespace scopeguards

// Sets a variable for one scope and puts its earlier value back at the end.
template <class T>
class TValueScope {
public:
    TValueScope(T& slot, T value) : slot_(slot), old_(std::exchange(slot, std::move(value))) {}
    ~TValueScope() { slot_ = std::move(old_); }
    TValueScope(const TValueScope&) = delete;
    TValueScope& operator=(const TValueScope&) = delete;

private:
    T& slot_;
    T old_;
};

// A flag raised for one scope (a re-entry or "busy" mark).
class TFlagScope : public TValueScope<bool> {
public:
    explicit TFlagScope(bool& flag) : TValueScope(flag, true) {}
};

// Holds a nesting count up by one for one scope.
class TCountScope {
public:
    explicit TCountScope(int& count) : count_(count) { ++count_; }
    ~TCountScope() { --count_; }
    TCountScope(const TCountScope&) = delete;
    TCountScope& operator=(const TCountScope&) = delete;

private:
    int& count_;
};

// BeginUpdate on entry, EndUpdate at the end (strings, collections): the
// changes in between are announced once, when the outermost update ends.
template <class T>
class TUpdateScope {
public:
    explicit TUpdateScope(T& target) : target_(target) { target_.BeginUpdate(); }
    ~TUpdateScope() noexcept(false)
    {
        auto end = [this] { target_.EndUpdate(); };
        scopeguards::RunUndo(end, errors_);
    }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    T& target_;
    int errors_ = std::uncaught_exceptions();
};

// Runs `undo` when the scope ends, unless Dismiss was called first: a guard
// dismissed at the end of the normal way undoes on failure only.
template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F undo) : undo_(std::move(undo)) {}
    ~TScopeExit() noexcept(false)
    {
        if (armed_)
            scopeguards::RunUndo(undo_, errors_);
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    void Dismiss() { armed_ = false; }

private:
    F undo_;
    int errors_ = std::uncaught_exceptions();
    bool armed_ = true;
};
