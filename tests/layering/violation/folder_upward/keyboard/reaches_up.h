#pragma once
// Sample for the layering check's own test: the keyboard must not know the program above it.
#include "app/program.h"
