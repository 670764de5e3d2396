#include "core/start_picture.h"
