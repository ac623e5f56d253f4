/* Placeholder: filled by the area's owner. */
#ifndef VARDO_WIN_WINGDI_H
#define VARDO_WIN_WINGDI_H

#include "types.h"

#endif
