#include "core/bmp_codec.h"
