#include "toolkit/core/object_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

namespace wexa {
namespace {

TEST(ObjectTable, GrowsToTheLargestNumberAndKeepsOthersEmpty) {
    ObjectTable<std::string> t;
    t.Put(371, "transfer");
    EXPECT_EQ(*t.Find(371), "transfer");
    EXPECT_EQ(t.Find(0), nullptr);
    EXPECT_EQ(t.Find(370), nullptr);
    EXPECT_EQ(t.Find(372), nullptr);
    EXPECT_EQ(t.Find(-1), nullptr);
}

TEST(ObjectTable, PutHandsBackTheReplacedObject) {
    ObjectTable<std::unique_ptr<int>> t;
    EXPECT_FALSE(t.Put(5, std::make_unique<int>(1)));
    auto old = t.Put(5, std::make_unique<int>(2));
    ASSERT_TRUE(old);
    EXPECT_EQ(**old, 1);
    EXPECT_EQ(**t.Find(5), 2);
}

TEST(ObjectTable, TakeEmptiesTheNumber) {
    ObjectTable<int> t;
    t.Put(2, 20);
    EXPECT_EQ(t.Take(2), 20);
    EXPECT_EQ(t.Find(2), nullptr);
    EXPECT_FALSE(t.Take(2));
    EXPECT_FALSE(t.Take(99));
}

TEST(ObjectTable, ClearReleasesEveryObject) {
    auto probe = std::make_shared<int>(0);
    ObjectTable<std::shared_ptr<int>> t;
    t.Put(1, probe);
    t.Put(9, probe);
    t.Clear();
    EXPECT_EQ(probe.use_count(), 1);
}

// A wrong number must neither write outside the table nor release what it holds.
TEST(ObjectTable, RefusesNegativeAndOversizedNumbersAndKeepsWhatItHolds) {
    auto held = std::make_shared<int>(1);
    ObjectTable<std::shared_ptr<int>> t;
    t.Put(3, held);
    for (int number : {-1, -2, INT_MIN, LargestObjectNumber + 1, INT_MAX}) {
        auto refused = std::make_shared<int>(number);
        std::optional<std::shared_ptr<int>> back = t.Put(number, refused);
        ASSERT_TRUE(back) << number;
        EXPECT_EQ(back->get(), refused.get()) << "the object comes straight back";
        EXPECT_EQ(t.Find(number), nullptr);
        EXPECT_FALSE(t.Take(number));
    }
    EXPECT_EQ(held.use_count(), 2) << "still held under 3";

    EXPECT_FALSE(t.Put(LargestObjectNumber, held)); // the largest number is an ordinary one
    EXPECT_EQ(t.Find(LargestObjectNumber)->get(), held.get());
}

} // namespace
} // namespace wexa
