// Registration of the host's suite tables. Each suite lives in a file of its
// own and offers one function that registers its table; suites of the list
// that no plug-in calls are registered with an empty table.
#pragma once

#include "suiteregistry.h"

namespace vhost {

void RegisterBasicSuites(SuiteRegistry &registry);    // SP Access, AI Plugin
void RegisterEventSuites(SuiteRegistry &registry);    // AI Menu, AI Timer, AI Notifier
void RegisterActionSuites(SuiteRegistry &registry);   // AI Action Manager, AI Undo
void RegisterUserSuites(SuiteRegistry &registry);     // AI User, AI Preference, AI UI Theme
void RegisterPanelSuites(SuiteRegistry &registry);    // AI Panel, AI Panel Flyout Menu
void RegisterContextSuites(SuiteRegistry &registry);  // AI Context
// AI Document List, AI Document, AI Document View, AI File Path, AI Layer,
// AI Art, AI Tag, AI Text Frame, ATE TextRange, ATE CharFeatures, AI Font,
// AI Custom Color, AIATE Paint. They work on DocumentList::Current().
void RegisterDocumentSuites(SuiteRegistry &registry);

// Vardo Engine Suite: the composition engine's services.
void RegisterEngineSuites(SuiteRegistry &registry);

class Host;
// The host's actions "adobe_saveDocument" and "adobe_closeDocument".
void RegisterDocumentActions(Host &host);

}  // namespace vhost
