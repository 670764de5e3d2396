#include "core/quick_pixels.h"
