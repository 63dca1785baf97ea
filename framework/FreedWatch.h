#pragma once
// Tells a message handler's caller whether the handler freed the object whose
// message it handled. The object keeps a pointer to the innermost watch's flag
// and calls ObjectFreed first thing in its destructor; nested watches pass the
// news outward, and no watch touches the object again once it is freed.
class TFreedWatch {
public:
    explicit TFreedWatch(bool*& slot);
    ~TFreedWatch();
    TFreedWatch(const TFreedWatch&) = delete;
    TFreedWatch& operator=(const TFreedWatch&) = delete;

    bool Freed() const { return freed_; }

    // For the watched object's destructor: marks the innermost watch, if any.
    static void ObjectFreed(bool* slot);

private:
    bool*& slot_;  // the object's own pointer: touched only while it lives
    bool* outer_;
    bool freed_ = false;
};
