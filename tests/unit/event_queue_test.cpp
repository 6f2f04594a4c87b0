#include "toolkit/core/event_queue.h"
#include "toolkit/windows/events.h"

#include <gtest/gtest.h>

namespace wexa {
namespace {

Event Click(int gadget, int type = 0) { return {GadgetEvent, gadget, 0, type}; }

TEST(EventQueue, DeliversInArrivalOrder) {
    EventQueue q;
    q.Push(Click(1));
    q.Push(Click(2));
    q.Push({CloseEvent, -1, 0, 0});
    EXPECT_EQ(q.Pop()->gadget, 1);
    EXPECT_EQ(q.Pop()->gadget, 2);
    EXPECT_EQ(q.Pop()->code, CloseEvent);
    EXPECT_FALSE(q.Pop());
}

TEST(EventQueue, DropsOnlyARepeatOfTheNewestWaitingEvent) {
    EventQueue q;
    q.Push(Click(7));
    q.Push(Click(7)); // same four fields as the newest: not added
    q.Push(Click(7, 1)); // another type is another event
    q.Push(Click(8));
    q.Push(Click(7)); // equal to an older one, but not to the newest
    EXPECT_EQ(q.Size(), 4u);
    q.Pop();
    q.Pop();
    q.Pop();
    q.Pop();
    q.Push(Click(7)); // once taken, the same event may come again
    EXPECT_EQ(q.Size(), 1u);
}

TEST(EventQueue, ReplacingAGadgetDropsItsWaitingEventsOnly) {
    EventQueue q;
    q.Push(Click(185));
    q.Push(Click(3));
    q.Push({CloseEvent, -1, 0, 0});
    q.Push(Click(185, 2));
    q.DropGadgetEvents(185);
    ASSERT_EQ(q.Size(), 2u);
    EXPECT_EQ(q.Pop()->gadget, 3);
    EXPECT_EQ(q.Pop()->code, CloseEvent);
}

TEST(EventQueue, DroppingKeepsCloseEventsThatCarryNoGadget) {
    EventQueue q;
    q.Push({CloseEvent, -1, 0, 0});
    q.DropGadgetEvents(-1);
    EXPECT_EQ(q.Size(), 1u);
}

} // namespace
} // namespace wexa
