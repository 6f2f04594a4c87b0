#include "keyboard/line_history.h"

#include <utility>

namespace wexa {

void LineHistory::Record(LineChange change) {
    changes_.erase(changes_.begin() + static_cast<std::ptrdiff_t>(done_), changes_.end());
    changes_.push_back(std::move(change));
    if (changes_.size() > depth_) changes_.pop_front();
    done_ = changes_.size();
}

const LineChange* LineHistory::StepBack() {
    return done_ == 0 ? nullptr : &changes_[--done_];
}

const LineChange* LineHistory::StepForward() {
    return done_ == changes_.size() ? nullptr : &changes_[done_++];
}

} // namespace wexa
