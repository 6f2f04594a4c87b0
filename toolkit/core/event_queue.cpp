#include "toolkit/core/event_queue.h"

#include <algorithm>

namespace wexa {

void EventQueue::Push(const Event& event) {
    if (events_.empty() || events_.back() != event) events_.push_back(event);
}

std::optional<Event> EventQueue::Pop() {
    if (events_.empty()) return std::nullopt;
    Event e = events_.front();
    events_.pop_front();
    return e;
}

void EventQueue::DropGadgetEvents(int gadget) {
    std::erase_if(events_, [gadget](const Event& e) { return e.code == GadgetEvent && e.gadget == gadget; });
}

} // namespace wexa
