// What the dialog manager and the file dialogs need from the automation
// registry (vplatform/dialogs.h). Internal to the platform library.
#pragma once

#include <windows.h>

#include <vplatform/dialogs.h>

#include <cstdint>
#include <functional>
#include <string>

namespace vplat::detail {

// Calls the modal handlers for dlg in registration order, one-shot ones
// removed as they are called, stopping as soon as ended() is true.
// Handlers registered while this runs wait for the next dialog.
void RunModalDialogHandlers(HWND dlg, const std::function<bool()> &ended);

// The unattended limit, in microseconds of virtual time.
std::uint64_t UnattendedLimit();

void AddDialogDiagnostic(std::string message);

// Asks the file-dialog handler. False with handled false when there is
// none; otherwise its answer.
bool AskFileDialogHandler(const vplat::dialogs::FileDialogRequest &request,
                          vplat::dialogs::FileDialogAnswer &answer, bool &handled);

}  // namespace vplat::detail
