// The picture-intake commands over the Workspace, as the window and skelda-cli call them. Each
// takes the field texts it reads and returns the texts it writes, or throws; a command that
// throws has changed nothing.
//
// ReadPictureKindFile          picture_file.h
// ReadPictureFile, BeginLoad, FinishLoad, ShowOriginal   picture_loading.h
// ResampleToWidth, ResampleToHeight (the "S" buttons)     resampling.h
// ResolutionForDot, DotForResolution (Enter in a size field) dot_size.h
// AreaResample                 area_resample.h
// FitToWindow                  fit_to_window.h
// SavePicture, SavePicturePng  picture_saving.h
// SizeFields                   size_fields.h
#pragma once

#include "intake/area_resample.h"
#include "intake/dot_size.h"
#include "intake/fit_to_window.h"
#include "intake/picture_file.h"
#include "intake/picture_loading.h"
#include "intake/picture_saving.h"
#include "intake/resampling.h"
#include "intake/size_fields.h"
