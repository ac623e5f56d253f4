/* Placeholder: filled by the area's owner. */
#ifndef VARDO_WIN_FILEAPI_H
#define VARDO_WIN_FILEAPI_H

#include "types.h"

#endif
