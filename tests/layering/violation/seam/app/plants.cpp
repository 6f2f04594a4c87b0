// Sample for the layering check's own test: the program plants images through a test seam.
#include "toolkit/graphics/image_table_seam.h"
