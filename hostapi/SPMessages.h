/* Message records the host passes to PluginMain, the caller and selector
 * strings, and the entry point's signature. */
#ifndef VARDO_HOSTAPI_SPMESSAGES_H
#define VARDO_HOSTAPI_SPMESSAGES_H

#include "ASTypes.h"
#include "SPBasic.h"

AS_EXTERN_C_BEGIN

/* Callers and selectors. */
#define kSPAccessCaller "SP Access"
#define kSPAccessUnloadSelector "Unload"
#define kSPAccessReloadSelector "Reload"
#define kSPInterfaceCaller "SP Interface"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceAboutSelector "About"
#define kSPInterfaceShutdownSelector "Shutdown"
#define kCallerAIMenu "AI Menu"
#define kSelectorAIGoMenuItem "AI Go"
#define kSelectorAIUpdateMenuItem "AI Update"
#define kCallerAITimer "AI Timer"
#define kSelectorAIGoTimer "AI Go"
#define kCallerAINotify "AI Notifier"
#define kSelectorAINotify "AI Notify"
#define kActionCaller "Action Manager"
#define kDoActionSelector "Do Action"

/* The host's own notification that start-up of every plug-in is over. */
#define kAIApplicationStartedNotifier "AI Application Started Notifier"

/* Common head of every message. The host owns the record; a plug-in writes
 * only `globals`, which the host keeps and passes back in every message. */
typedef struct SPMessageData {
  ASInt32 SPCheck;     /* kSPValidSPMessageData */
  SPPluginRef self;    /* the host's reference to the plug-in called */
  void *globals;       /* whatever the plug-in last stored here */
  SPBasicSuite *basic; /* the basic suite */
} SPMessageData;

#define kSPValidSPMessageData AS_FOURCC('S', 'P', 'C', 'K')

typedef struct AIMenuMessage {
  SPMessageData d;
  AIMenuItemHandle menuItem; /* the item chosen or to be updated */
} AIMenuMessage;

typedef struct AINotifierMessage {
  SPMessageData d;
  AINotifierHandle notifier; /* the registration that matched */
  const char *type;          /* the notification type */
  void *notifyData;          /* the sender's data, NULL when none */
} AINotifierMessage;

typedef struct AITimerMessage {
  SPMessageData d;
  AITimerHandle timer; /* the timer that fired */
} AITimerMessage;

typedef struct DoActionMessage {
  SPMessageData d;
  const char *eventName;       /* the action event played */
  ASInt32 dialogStatus;        /* as passed to PlayActionEvent */
  AIActionParamValueRef param; /* the block played with, may be NULL */
} DoActionMessage;

/* The one export of every plug-in module. Returns the handler's status. */
typedef ASErr (*SPPluginMainProc)(const char *caller, const char *selector, void *message);
#define kSPPluginMainName "PluginMain"

AS_EXTERN_C_END

#endif
