#include "vardoscript/scriptcommands.h"

#include "vardoscript/optionsdialogs.h"
#include "vardoscript/paneltext.h"
#include "vardoscript/tagbuilder.h"
#include "vardoscript/vardoscriptglobals.h"

void RunScriptCommand(AIPanelRef, ASUInt32 itemId) {
  VardoScriptGlobals *g = Globals();
  AcquireSuites(g->savedBasicSuite);
  AIPlatformWindow window = nullptr;
  if (g->panel) sAIPanel->GetPlatformWindow(g->panel, &window);
  HWND panelWindow = static_cast<HWND>(window);
  if (itemId == SCRIPT_COMMAND_IMAGE_TAG || itemId == SCRIPT_COMMAND_BARCODE_TAG) {
    const bool image = itemId == SCRIPT_COMMAND_IMAGE_TAG;
    const INT_PTR result = image ? RunImageOptionsDialog(g->pluginModule, &g->options)
                                 : RunBarcodeOptionsDialog(g->pluginModule, &g->options);
    if (result == IDOK) {
      char panelText[SCRIPT_TEXT_SIZE];
      ReadPanelScript(panelWindow, panelText);
      char tag[SCRIPT_TEXT_SIZE];
      if (image) {
        BuildImageTag(panelText, &g->options, g->frameWidth, g->frameHeight, tag);
      } else {
        BuildBarcodeTag(panelText, &g->options, g->frameWidth, g->frameHeight, tag);
      }
      ShowPanelScript(panelWindow, tag);
    }
  }
  ReleaseSuites(g->savedBasicSuite);
}
