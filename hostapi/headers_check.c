/* Compiles every C header of the host interface as C. */
#include "AIATEPaint.h"
#include "AIActionManager.h"
#include "AIArt.h"
#include "AIColor.h"
#include "AIContext.h"
#include "AICustomColor.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIFilePath.h"
#include "AIFont.h"
#include "AILayer.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIPanel.h"
#include "AIPlugin.h"
#include "AIPreference.h"
#include "AITag.h"
#include "AITextFrame.h"
#include "AITimer.h"
#include "AIUITheme.h"
#include "AIUndo.h"
#include "AIUser.h"
#include "ASTypes.h"
#include "ATESuites.h"
#include "SPAccess.h"
#include "SPBasic.h"
#include "SPMessages.h"
#include "SuiteList.h"

#define COUNT_SUITE(name, version, a, b, c) +1
#define COUNT_IN(name, version, a, b, c) +(a)
int HostApiSuiteCountFromC(void) { return 0 VARDO_HOST_SUITES(COUNT_SUITE); }
int HostApiVardoSuiteCountFromC(void) { return 0 VARDO_HOST_SUITES(COUNT_IN); }
