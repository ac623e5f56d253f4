/* Placeholder: filled by the area's owner. */
#ifndef VARDO_WIN_RESOURCES_H
#define VARDO_WIN_RESOURCES_H

#include "types.h"

#endif
