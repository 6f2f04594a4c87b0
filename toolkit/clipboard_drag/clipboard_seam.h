#pragma once
// For tests only: a call made each time the program, finding the clipboard held by another
// program, has paused and is about to try again; null for none. A test ends its hold there,
// so the wait it checks depends on no timing.
namespace wexa::detail {

void SetClipboardRetryHook(void (*hook)());

} // namespace wexa::detail
