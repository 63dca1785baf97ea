#pragma once
// Method pointers: an object paired with one of its member functions. Two method
// pointers are equal exactly when both halves are equal, so a hook chain can
// find and remove its entries by them (std::function cannot be compared).
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

template <typename Signature>
class TMethod;

template <typename R, typename... Args>
class TMethod<R(Args...)> {
public:
    TMethod() = default;
    TMethod(std::nullptr_t) {}

    // Binds obj->fn; obj may be of a class derived from the one declaring fn.
    template <class C, class D>
        requires std::is_base_of_v<C, D>
    TMethod(D* obj, R (C::*fn)(Args...))
    {
        if (!obj || !fn)
            return;
        using Fn = R (C::*)(Args...);
        static_assert(sizeof(Fn) <= sizeof(code_), "member function pointer too large");
        object_ = static_cast<void*>(static_cast<C*>(obj));
        std::memcpy(code_, &fn, sizeof(Fn));
        thunk_ = &Invoke<C>;
    }

    explicit operator bool() const { return thunk_ != nullptr; }

    R operator()(Args... args) const
    {
        return thunk_(object_, code_, std::forward<Args>(args)...);
    }

    // The object half, for callers that must know whose method this is.
    void* Data() const { return object_; }

    friend bool operator==(const TMethod& a, const TMethod& b)
    {
        return a.object_ == b.object_ && a.thunk_ == b.thunk_ &&
               std::memcmp(a.code_, b.code_, sizeof a.code_) == 0;
    }

private:
    using Thunk = R (*)(void*, const unsigned char*, Args...);

    template <class C>
    static R Invoke(void* obj, const unsigned char* code, Args... args)
    {
        R (C::*fn)(Args...);
        std::memcpy(&fn, code, sizeof fn);
        return (static_cast<C*>(obj)->*fn)(std::forward<Args>(args)...);
    }

    void* object_ = nullptr;
    Thunk thunk_ = nullptr;
    alignas(void*) unsigned char code_[2 * sizeof(void*)] = {};
};
