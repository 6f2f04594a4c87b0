// Sample for the layering check's own test: the transfer uses what is for the Toolkit's groups.
#include "toolkit/gadgets/inside_toolkit.h"
