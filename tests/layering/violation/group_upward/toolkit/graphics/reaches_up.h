#pragma once
// Sample for the layering check's own test: drawing must not know the windows above it.
#include "toolkit/platform/files.h"
#include "toolkit/windows/window.h"
