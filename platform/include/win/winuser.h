/* Placeholder: filled by the area's owner. */
#ifndef VARDO_WIN_WINUSER_H
#define VARDO_WIN_WINUSER_H

#include "types.h"

#endif
