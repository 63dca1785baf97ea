#include "framework/Method.h"

#include <gtest/gtest.h>

namespace {

struct Base {
    virtual ~Base() = default;
    int calls = 0;
    int Add(int v) { return calls += v; }
    virtual int Virt(int v) { return v; }
};
struct Derived : Base {
    int Virt(int v) override { return v * 2; }
    int Other(int v) { return -v; }
};

TEST(MethodTest, CallsAndComparesBothHalves)
{
    Base a, b;
    Derived d;
    TMethod<int(int)> m1(&a, &Base::Add), m2(&a, &Base::Add), m3(&b, &Base::Add);
    EXPECT_TRUE(m1 == m2);
    EXPECT_FALSE(m1 == m3);  // same code, other object
    EXPECT_EQ(m1(5), 5);
    EXPECT_EQ(m2(2), 7);
    EXPECT_EQ(a.calls, 7);

    TMethod<int(int)> virt(&d, &Base::Virt), other(&d, &Derived::Other);
    EXPECT_EQ(virt(3), 6);  // late-bound through the base's member pointer
    EXPECT_EQ(other(3), -3);
    EXPECT_FALSE(virt == other);  // same object, other code

    TMethod<int(int)> empty;
    EXPECT_FALSE(empty);
    EXPECT_TRUE(empty == TMethod<int(int)>(nullptr));
    EXPECT_FALSE(empty == m1);
}

}  // namespace
