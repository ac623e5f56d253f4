/* "AI Action Manager Suite": parameter blocks keyed by four-character codes,
 * registered actions and the host's own actions. */
#ifndef VARDO_HOSTAPI_AIACTIONMANAGER_H
#define VARDO_HOSTAPI_AIACTIONMANAGER_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIActionManagerSuite "AI Action Manager Suite"
#define kAIActionManagerSuiteVersion 5

typedef ASUInt32 ActionParamKeyID;

/* Dialog status when playing: 3 = never show the action's dialog. */
#define kDialogOff 3
#define kDialogNone 0

/* The host's actions that save and close the current document. */
#define kAISaveDocumentAction "adobe_saveDocument"
#define kAICloseDocumentAction "adobe_closeDocument"
#define kAICloseDocumentSaveKey AS_FOURCC('s', 'a', 'v', 'e')

typedef struct AIActionManagerSuite {
  /* Creates an empty parameter type into *type; the caller deletes it. */
  ASErr (*AINewActionParamType)(AIActionParamTypeRef *type);
  /* Deletes a type from AINewActionParamType; NULL is allowed. */
  ASErr (*AIDeleteActionParamType)(AIActionParamTypeRef type);
  /* Registers the action `eventName`. Playing it calls the registering
   * plug-in with "Action Manager"/"Do Action". A name registered twice is
   * kBadParameterErr. */
  ASErr (*RegisterActionEvent)(const char *eventName, const char *localizedName, ASInt32 version,
                               ASInt32 flags, void *callback, SPPluginRef plugin, void *userData,
                               AIActionParamTypeRef parameters);
  /* Creates an empty parameter block into *value; the caller deletes it.
   * Fails with kSPOutOfMemoryError when blocks cannot be had. */
  ASErr (*AINewActionParamValue)(AIActionParamValueRef *value);
  /* Deletes a block and every value in it; NULL is allowed. */
  ASErr (*AIDeleteActionParamValue)(AIActionParamValueRef value);
  /* Getters fail with kNoSuchObjectErr when the key is absent or holds a
   * value of another type; the output is then left untouched. */
  ASErr (*AIActionGetInteger)(AIActionParamValueRef value, ActionParamKeyID key, ASInt32 *result);
  /* Setters store under `key`, replacing whatever value of any type it
   * held; a NULL block (or, for strings, text) is kBadParameterErr. */
  ASErr (*AIActionSetInteger)(AIActionParamValueRef value, ActionParamKeyID key, ASInt32 number);
  /* As AIActionGetInteger, for a value stored by AIActionSetBoolean. */
  ASErr (*AIActionGetBoolean)(AIActionParamValueRef value, ActionParamKeyID key, ASBoolean *result);
  /* Stores `flag` as true or false (any non-zero is true). */
  ASErr (*AIActionSetBoolean)(AIActionParamValueRef value, ActionParamKeyID key, ASBoolean flag);
  /* Copies the 8-bit string under `key` with its NUL into `buffer` of
   * `bufferSize` bytes. A string that does not fit is kBadParameterErr and
   * nothing is written: a receiver never gets a cut or overflowing value. */
  ASErr (*AIActionGetString)(AIActionParamValueRef value, ActionParamKeyID key, char *buffer,
                             size_t bufferSize);
  /* Stores a copy of the NUL-terminated `text`. */
  ASErr (*AIActionSetString)(AIActionParamValueRef value, ActionParamKeyID key, const char *text);
  /* Plays a registered action or a host action by name with `parameters`
   * (may be NULL). Returns the action's status; an unknown name is
   * kNoSuchObjectErr. */
  ASErr (*PlayActionEvent)(const char *eventName, ASInt32 dialogStatus,
                           AIActionParamValueRef parameters);
} AIActionManagerSuite;

AS_EXTERN_C_END

#endif
