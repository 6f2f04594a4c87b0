#pragma once

namespace wexa::bench {

// Times the suspects of the keyboard's start-up and exit beside the plain way; prints a table.
int RunSuspects(int rounds);

} // namespace wexa::bench
