/* "AI Panel Suite" and "AI Panel Flyout Menu Suite": dockable panels backed
 * by platform windows, and their menus. */
#ifndef VARDO_HOSTAPI_AIPANEL_H
#define VARDO_HOSTAPI_AIPANEL_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIPanelSuite "AI Panel Suite"
#define kAIPanelSuiteVersion 4
#define kAIPanelFlyoutMenuSuite "AI Panel Flyout Menu Suite"
#define kAIPanelFlyoutMenuSuiteVersion 2

/* Called by the host outside PluginMain when the user picks a menu entry or
 * resizes the panel. */
typedef void (*AIPanelFlyoutMenuHandler)(AIPanelRef panel, ASUInt32 itemId);
typedef void (*AIPanelSizeChangedHandler)(AIPanelRef panel);

typedef struct AIPanelSuite {
  /* Creates a hidden panel with its platform window. The panel keeps
   * `flyout` (not owned). Stores it in *panel; an id already in use is
   * kBadParameterErr. */
  ASErr (*Create)(SPPluginRef plugin, const char *id, const ai_uchar16 *title, ASInt32 stateCount,
                  AISize minimumSize, ASBoolean resizable, AIPanelFlyoutMenuRef flyout,
                  void *userData, AIPanelRef *panel);
  /* Destroys the panel and, if still there, its platform window. */
  ASErr (*Destroy)(AIPanelRef panel);
  ASErr (*Show)(AIPanelRef panel, ASBoolean show);
  ASErr (*IsShown)(AIPanelRef panel, ASBoolean *shown);
  /* Stores the panel's platform window (an HWND) in *window. */
  ASErr (*GetPlatformWindow)(AIPanelRef panel, AIPlatformWindow *window);
  ASErr (*GetSize)(AIPanelRef panel, AISize *size);
  ASErr (*SetFlyoutMenuPressedFunc)(AIPanelRef panel, AIPanelFlyoutMenuHandler handler);
  ASErr (*SetSizeChangedFunc)(AIPanelRef panel, AIPanelSizeChangedHandler handler);
} AIPanelSuite;

typedef struct AIPanelFlyoutMenuSuite {
  /* Creates an empty menu into *menu; the creator destroys it. */
  ASErr (*Create)(AIPanelFlyoutMenuRef *menu);
  ASErr (*Destroy)(AIPanelFlyoutMenuRef menu);
  ASErr (*AppendItem)(AIPanelFlyoutMenuRef menu, ASUInt32 itemId, const ai_uchar16 *text);
  ASErr (*AppendSeparator)(AIPanelFlyoutMenuRef menu, ASUInt32 itemId);
} AIPanelFlyoutMenuSuite;

AS_EXTERN_C_END

#endif
