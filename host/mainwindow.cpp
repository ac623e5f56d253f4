// The host's main window and the window that shows the current document,
// and the "AI Context Suite" that hands the main window to plug-ins.
#include <windows.h>

#include <vplatform/utf8.h>

#include "AIContext.h"
#include "host.h"
#include "suites.h"

namespace vhost {

namespace {

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterHostClass(const char16_t *name) {
  // Registering again fails harmlessly once the class exists.
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostWindowProc;
  wc.lpszClassName = name;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
}

ASErr GetPlatformAppWindow(AIPlatformWindow *window) {
  Host *host = Host::Current();
  if (!host || !window) return kBadParameterErr;
  *window = host->MainWindow();
  return *window ? kNoErr : kNoSuchObjectErr;
}

const AIContextSuite kContextSuite = {GetPlatformAppWindow};

}  // namespace

void RegisterContextSuites(SuiteRegistry &registry) {
  registry.Add(kAIContextSuite, kAIContextSuiteVersion, &kContextSuite);
}

HWND Host::MainWindow() {
  if (mainWindow_ && IsWindow(mainWindow_)) return mainWindow_;
  RegisterHostClass(u"VardoHostMain");
  RegisterHostClass(u"VardoDocumentView");
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN) - 40;
  mainWindow_ =
      CreateWindowExW(0, u"VardoHostMain", u"Vardo Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                      width, height, nullptr, nullptr, nullptr, nullptr);
  RECT client{};
  GetClientRect(mainWindow_, &client);
  // A tool strip on the left and a control bar on top, as in the real thing,
  // so the view is a window of its own inside the frame.
  documentWindow_ = CreateWindowExW(0, u"VardoDocumentView", u"", WS_CHILD | WS_VISIBLE, 40, 30,
                                    client.right - 40 - 320, client.bottom - 30, mainWindow_,
                                    nullptr, nullptr, nullptr);
  return mainWindow_;
}

HWND Host::DocumentWindow() {
  MainWindow();
  return documentWindow_;
}

void Host::SetDocumentTitle(const std::string &utf8Name) {
  std::string title =
      utf8Name.empty() ? std::string("Vardo Host") : utf8Name + " @ 100% (CMYK/Preview)";
  SetWindowTextW(MainWindow(), vplat::Utf16FromUtf8(title).c_str());
}

}  // namespace vhost
