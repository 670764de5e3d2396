// Windows BMP files: the reader and the writer together, for the callers that use both.
#pragma once

#include "core/bmp_reader.h"
#include "core/bmp_writer.h"
