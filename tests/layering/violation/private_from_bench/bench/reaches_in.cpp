// Sample for the layering check's own test: a benchmark names the windows group's own table.
#include "toolkit/windows/detail/window_table.h"
