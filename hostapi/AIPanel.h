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
/* Called after the panel's size changed; GetSize gives the new one. */
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
  /* Shows or hides the panel's window. */
  ASErr (*Show)(AIPanelRef panel, ASBoolean show);
  /* Whether the panel's window is visible. */
  ASErr (*IsShown)(AIPanelRef panel, ASBoolean *shown);
  /* Stores the panel's platform window (an HWND) in *window. */
  ASErr (*GetPlatformWindow)(AIPanelRef panel, AIPlatformWindow *window);
  /* The size of the panel's client area, the part the plug-in fills. A
   * panel whose window is gone is kNoSuchObjectErr. */
  ASErr (*GetSize)(AIPanelRef panel, AISize *size);
  /* Sets (NULL: clears) the handler for the flyout menu's items. */
  ASErr (*SetFlyoutMenuPressedFunc)(AIPanelRef panel, AIPanelFlyoutMenuHandler handler);
  /* Sets (NULL: clears) the handler for size changes. */
  ASErr (*SetSizeChangedFunc)(AIPanelRef panel, AIPanelSizeChangedHandler handler);
} AIPanelSuite;

typedef struct AIPanelFlyoutMenuSuite {
  /* Creates an empty menu into *menu; the creator destroys it. */
  ASErr (*Create)(AIPanelFlyoutMenuRef *menu);
  /* Destroys the menu; panels showing it are left without a menu. */
  ASErr (*Destroy)(AIPanelFlyoutMenuRef menu);
  /* Appends an entry showing `text` (copied); choosing it calls the
   * panel's flyout handler with `itemId`. */
  ASErr (*AppendItem)(AIPanelFlyoutMenuRef menu, ASUInt32 itemId, const ai_uchar16 *text);
  /* Appends a separator line, which cannot be chosen. */
  ASErr (*AppendSeparator)(AIPanelFlyoutMenuRef menu, ASUInt32 itemId);
} AIPanelFlyoutMenuSuite;

AS_EXTERN_C_END

#endif
