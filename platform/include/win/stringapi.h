/* Placeholder: filled by the area's owner. */
#ifndef VARDO_WIN_STRINGAPI_H
#define VARDO_WIN_STRINGAPI_H

#include "types.h"

#endif
