#pragma once
// Sample for the layering check's own test: an include within the folder is allowed.
#include "toolkit/handles.h"
