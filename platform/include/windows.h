/* The headless Win32 subset: what the plug-ins include as <windows.h>.
 * Each area lives in its own header under win/. */
#ifndef VARDO_WINDOWS_H
#define VARDO_WINDOWS_H

#include "win/types.h"
#include "win/kernel.h"
#include "win/stringapi.h"
#include "win/fileapi.h"
#include "win/winuser.h"
#include "win/resources.h"
#include "win/controls.h"
#include "win/wingdi.h"

#endif
