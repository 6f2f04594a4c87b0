#include "keyboard/composed_line.h"
