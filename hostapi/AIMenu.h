/* "AI Menu Suite": menu items in the host's menus. */
#ifndef VARDO_HOSTAPI_AIMENU_H
#define VARDO_HOSTAPI_AIMENU_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIMenuSuite "AI Menu Suite"
#define kAIMenuSuiteVersion 11

/* The item wants "AI Update" messages before its menu is shown. */
#define kMenuItemWantsUpdateOption 1

typedef struct AIMenuSuite {
  /* Adds an item named `name` with the UTF-16 text `text` to the host group
   * `group`. Choosing it sends "AI Menu"/"AI Go" to `plugin`. Stores the
   * item in *item. Fails with kBadParameterErr for an unknown group. */
  ASErr (*AddMenuItem)(SPPluginRef plugin, const char *name, const char *group,
                       const ai_uchar16 *text, ASInt32 options, AIMenuItemHandle *item);
  /* Turns `item` into a submenu: a new host group named `name` whose items
   * appear under it. Stores the group in *result. */
  ASErr (*AddMenuGroupAsSubMenu)(const char *name, ASInt32 options, AIMenuItemHandle item,
                                 AIMenuGroup *result);
  /* Sets or clears the item's check mark. */
  ASErr (*CheckItem)(AIMenuItemHandle item, ASBoolean checked);
} AIMenuSuite;

AS_EXTERN_C_END

#endif
