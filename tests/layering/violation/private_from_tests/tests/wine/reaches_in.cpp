// Sample for the layering check's own test: a test names the gadgets group's own table.
#include "toolkit/gadgets/detail/gadget_table.h"
