#include "ui/ListenerArray.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

struct Named {
    std::string name;
};
using Array = kel::ui::ListenerArray<Named>;

// One listener per letter, named after it.
Named* the(char letter) {
    static std::map<char, Named> all;
    return &all.emplace(letter, Named{std::string(1, letter)}).first->second;
}
void fill(Array& array, const std::string& letters) {
    for (char letter : letters)
        array.add(the(letter));
}
// The listeners a pass calls, in order.
std::string pass(Array& array) {
    std::string called;
    array.notify([&](Named* n) { called += n->name; });
    return called;
}

TEST(ListenerArrayTest, GrowsFromFourByDoubling) {
    Array array;
    EXPECT_EQ(array.getCapacity(), 0);
    fill(array, "aaaaa");
    EXPECT_EQ(array.getCapacity(), 8);
    EXPECT_EQ(pass(array), "aaaaa") << "duplicates are allowed";
}

TEST(ListenerArrayTest, APassSkipsClearedSlotsAndKeepsListenersAddedDuringIt) {
    Array array;
    fill(array, "abc");
    std::string called;
    array.notify([&](Named* n) {
        called += n->name;
        if (n == the('a')) {
            array.remove(the('c')); // not reached yet: not called
            array.add(the('L'));    // called from the next pass on
        }
    });
    EXPECT_EQ(called, "ab");
    EXPECT_EQ(array.getCount(), 3);
    EXPECT_EQ(pass(array), "abL");
    EXPECT_FALSE(array.remove(the('c')));
    EXPECT_TRUE(array.remove(the('b')));
    EXPECT_EQ(pass(array), "aL");
}

// Beyond ten entries the search for the one to remove starts at count * 3 / 4 and wraps round;
// with ten or fewer it starts at the front.
TEST(ListenerArrayTest, RemovalSearchesFromThreeQuartersBeyondTenEntries) {
    const std::string o9(9, 'o');
    for (const auto& [letters, left] : {std::pair{"x" + o9 + "x", "x" + o9}, // starts at 8
                                        {"x" + o9.substr(1) + "x", o9.substr(1) + "x"},
                                        {"x" + o9 + "oo", o9 + "oo"}, // wraps round from 9
                                        {o9.substr(2) + "xooox", o9.substr(2) + "xooo"}}) {
        Array array;
        fill(array, letters);
        EXPECT_TRUE(array.remove(the('x'))) << letters;
        EXPECT_EQ(pass(array), left) << letters;
    }
}

// A listener that removes another and starts a pass of its own from inside the outer one: every
// survivor is called once by each pass and stays registered.
TEST(ListenerArrayTest, ANestedPassLosesNoListener) {
    Array array;
    fill(array, "abcd");
    std::string called;
    bool nested = false;
    array.notify([&](Named* n) {
        called += n->name;
        if (n == the('b') && !nested) {
            nested = true;
            array.remove(the('a'));
            called += "[" + pass(array) + "]";
        }
    });
    EXPECT_EQ(called, "ab[bcd]cd");
    EXPECT_EQ(array.getCount(), 3);
    EXPECT_EQ(pass(array), "bcd");
}

TEST(ListenerArrayTest, ClearEmptiesItEvenWithDuplicatesBeyondTenAndDuringAPass) {
    Array array;
    fill(array, "yxxyxxyxxyxxyx");
    array.clear();
    EXPECT_EQ(array.getCount(), 0);
    EXPECT_EQ(pass(array), "");
    fill(array, std::string(12, 'x'));
    std::string called;
    array.notify([&](Named* n) {
        called += n->name;
        array.clear(); // the rest of this pass calls nobody
    });
    EXPECT_EQ(called, "x");
    EXPECT_EQ(pass(array), "");
}

} // namespace
