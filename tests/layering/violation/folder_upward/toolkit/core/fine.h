#pragma once
// Sample for the layering check's own test: an include within the group is allowed.
#include "toolkit/core/handles.h"
