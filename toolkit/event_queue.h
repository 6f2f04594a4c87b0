#pragma once
// The Toolkit's first-in, first-out queue of events.
#include <deque>
#include <optional>

namespace wexa {

struct Event {
    int code = 0;
    int gadget = -1;
    int window = -1;
    int type = 0;
    friend bool operator==(const Event&, const Event&) = default;
};

class EventQueue {
public:
    // An event equal in all four fields to the newest one still waiting is not added again.
    void Push(const Event& event);
    std::optional<Event> Pop();
    // Drops the gadget events of that number still waiting, as when the gadget is replaced.
    void DropGadgetEvents(int gadget);
    std::size_t Size() const { return events_.size(); }
    void Clear() { events_.clear(); }

private:
    std::deque<Event> events_;
};

} // namespace wexa
