#pragma once
// The Toolkit's first-in, first-out queue of events.
#include <deque>
#include <optional>

namespace wexa {

inline constexpr int GadgetEvent = 13100; // a gadget reported an action
inline constexpr int CloseEvent = 13116;  // the user asked to close a window
// The thread was told to end (WM_QUIT), or its messages can no longer be read: no further
// wait would return anything but this.
inline constexpr int QuitEvent = 13117;

// Types of a GadgetEvent.
inline constexpr int EventTypeLeftClick = 0;
inline constexpr int EventTypeRightClick = 1;
inline constexpr int EventTypeLeftDoubleClick = 2;
inline constexpr int EventTypeRightDoubleClick = 3;
inline constexpr int EventTypeDragStart = 14002;

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

private:
    std::deque<Event> events_;
};

} // namespace wexa
