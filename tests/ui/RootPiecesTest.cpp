#include "ui/ListenerArray.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kel::ui::ListenerArray;

struct Named {
    std::string name;
};

std::string pass(ListenerArray<Named>& array) {
    std::string called;
    array.notify([&](Named* n) { called += n->name; });
    return called;
}

TEST(ListenerArrayTest, GrowsFromFourByDoubling) {
    ListenerArray<Named> array;
    Named a{"a"};
    EXPECT_EQ(array.getCapacity(), 0);
    for (int i = 0; i < 5; ++i)
        array.add(&a);
    EXPECT_EQ(array.getCapacity(), 8);
    EXPECT_EQ(pass(array), "aaaaa") << "duplicates are allowed";
}

TEST(ListenerArrayTest, APassSkipsClearedSlotsAndKeepsListenersAddedDuringIt) {
    ListenerArray<Named> array;
    Named a{"a"}, b{"b"}, c{"c"}, late{"L"};
    array.add(&a);
    array.add(&b);
    array.add(&c);
    std::string called;
    array.notify([&](Named* n) {
        called += n->name;
        if (n == &a) {
            array.remove(&c); // not reached yet: not called
            array.add(&late); // called from the next pass on
        }
    });
    EXPECT_EQ(called, "ab");
    EXPECT_EQ(array.getCount(), 3);
    EXPECT_EQ(pass(array), "abL");
    EXPECT_FALSE(array.remove(&c));
    EXPECT_TRUE(array.remove(&b));
    EXPECT_EQ(pass(array), "aL");
}

TEST(ListenerArrayTest, BeyondTenEntriesRemovalSearchesFromThreeQuartersAndWraps) {
    ListenerArray<Named> array;
    Named twice{"x"}, other{"o"};
    array.add(&twice); // index 0
    for (int i = 0; i < 9; ++i)
        array.add(&other);
    array.add(&twice); // index 10: found first, the search starts at 11 * 3 / 4 = 8
    EXPECT_TRUE(array.remove(&twice));
    EXPECT_EQ(pass(array), "xooooooooo");

    ListenerArray<Named> small; // ten entries: the search starts at the front
    small.add(&twice);
    for (int i = 0; i < 8; ++i)
        small.add(&other);
    small.add(&twice);
    EXPECT_TRUE(small.remove(&twice));
    EXPECT_EQ(pass(small), "oooooooox");

    ListenerArray<Named> wrap; // the wrap-around finds an entry before the start
    wrap.add(&twice);
    for (int i = 0; i < 11; ++i)
        wrap.add(&other);
    EXPECT_TRUE(wrap.remove(&twice));
    EXPECT_EQ(pass(wrap), "ooooooooooo");
}

TEST(ListenerArrayTest, ANestedPassLosesNoListener) {
    // A listener that removes another and starts a pass of its own from inside the outer one:
    // every survivor is called once by each pass and stays registered.
    ListenerArray<Named> array;
    Named a{"a"}, b{"b"}, c{"c"}, d{"d"};
    for (Named* n : {&a, &b, &c, &d})
        array.add(n);
    std::string called;
    bool nested = false;
    array.notify([&](Named* n) {
        called += n->name;
        if (n == &b && !nested) {
            nested = true;
            array.remove(&a);
            called += "[";
            array.notify([&](Named* inner) { called += inner->name; });
            called += "]";
        }
    });
    EXPECT_EQ(called, "ab[bcd]cd");
    EXPECT_EQ(array.getCount(), 3);
    EXPECT_EQ(pass(array), "bcd");
}

TEST(ListenerArrayTest, ClearEmptiesItEvenWithDuplicatesBeyondTenAndDuringAPass) {
    ListenerArray<Named> array;
    Named x{"x"}, y{"y"};
    for (int i = 0; i < 14; ++i)
        array.add(i % 3 ? &x : &y);
    array.clear();
    EXPECT_EQ(pass(array), "");
    EXPECT_EQ(array.getCount(), 0);

    for (int i = 0; i < 12; ++i)
        array.add(&x);
    std::string called;
    array.notify([&](Named* n) {
        called += n->name;
        array.clear(); // the rest of this pass calls nobody
    });
    EXPECT_EQ(called, "x");
    EXPECT_EQ(pass(array), "");
}

} // namespace
