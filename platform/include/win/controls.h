/* Placeholder: filled by the area's owner. */
#ifndef VARDO_WIN_CONTROLS_H
#define VARDO_WIN_CONTROLS_H

#include "types.h"

#endif
