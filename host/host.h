// The host stand-in: loads plug-in modules, offers them the host's suites,
// drives their life cycle and delivers events on the platform's virtual
// clock. One Host exists at a time; the C function tables it hands out reach
// it through Host::Current().
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <windows.h>

#include "AIActionManager.h"
#include "AIPanel.h"
#include "AIUITheme.h"
#include "SPMessages.h"
#include "documentlist.h"
#include "suiteregistry.h"

namespace vhost {

// One loaded plug-in module.
struct Plugin {
  std::string path;  // the module's file
  std::string name;  // the name in its property list
  void *library = nullptr;
  SPPluginMainProc main = nullptr;
  void *module = nullptr;   // its module handle (HMODULE) for resources
  void *globals = nullptr;  // what it last stored in the globals slot
  ASErr startupStatus = kNoErr;
  bool started = false;
  ASInt32 options = 0;  // plug-in options (AI Plugin Suite)
};

struct Alert {
  enum Kind { kMessage, kError } kind;
  std::string text;  // UTF-8
};

// A parameter block of the action manager: integer, boolean and 8-bit
// string values under four-character keys.
struct ParamBlock {
  std::map<ActionParamKeyID, std::variant<ASInt32, bool, std::string>> values;
};

struct MenuItem {
  Plugin *plugin = nullptr;
  std::string name, group;
  std::u16string text;
  ASInt32 options = 0;
  bool checked = false;
};

struct Timer {
  Plugin *plugin = nullptr;
  std::string name;
  ASInt32 period = 1;
};

struct Notifier {
  Plugin *plugin = nullptr;
  std::string name, type;
};

struct FlyoutMenu {
  struct Item {
    ASUInt32 id;
    std::u16string text;
    bool separator;
  };
  std::vector<Item> items;
};

struct Panel {
  Plugin *plugin = nullptr;
  std::string id;
  HWND window = nullptr;
  FlyoutMenu *flyout = nullptr;  // owned by the plug-in
  void *userData = nullptr;
  AISize minimumSize{};
  AIPanelFlyoutMenuHandler flyoutHandler = nullptr;
  AIPanelSizeChangedHandler sizeHandler = nullptr;
};

struct Action {
  Plugin *plugin = nullptr;
  std::string name, localizedName;
};

// A problem the composition engine met (Vardo Engine Suite ReportProblem).
struct EngineProblem {
  ASInt32 record = 0;
  std::string frame;   // the frame's element id; empty for none
  std::string kind;    // "unknown-field", "missing-picture", ...
  std::string detail;  // UTF-8, for a person
};

// Where the composition engine reads pictures from.
struct PictureSettings {
  std::string folder;    // a Linux path; empty: the current directory
  bool anyPath = false;  // pictures outside the folder are allowed
};

class Host {
 public:
  Host();
  ~Host();
  Host(const Host &) = delete;
  Host &operator=(const Host &) = delete;

  // The host whose suites are being called; null when none exists.
  static Host *Current();

  // ---- Modules -------------------------------------------------------
  // Loads one module and reads its property list. On failure returns null
  // and says why in *error: the file cannot be loaded, exports no
  // PluginMain, or carries no valid property list.
  Plugin *LoadPlugin(const std::string &path, std::string *error);
  // Loads every *.aip of `dir` in name order. Each refusal adds a message
  // to *errors. Returns the number loaded.
  int LoadPluginsFrom(const std::string &dir, std::vector<std::string> *errors);
  // "Startup" to each plug-in in load order, then the application-started
  // notification.
  void StartPlugins();
  // "Shutdown" to each started plug-in in reverse order, then unloads them.
  void ShutdownPlugins();
  // "SP Access"/"Unload", then the library is closed; the globals are kept.
  ASErr UnloadPlugin(Plugin &plugin);
  // Opens the library again, then "SP Access"/"Reload" with the kept globals.
  ASErr ReloadPlugin(Plugin &plugin, std::string *error);
  const std::vector<std::unique_ptr<Plugin>> &Plugins() const { return plugins_; }
  Plugin *FindPlugin(const std::string &name);
  // Calls the plug-in's entry with a message whose head this fills in;
  // stores back the globals the plug-in left. Returns its status.
  ASErr Send(Plugin &plugin, const char *caller, const char *selector, SPMessageData *message);

  // ---- Suites and memory ----------------------------------------------
  SuiteRegistry &Suites() { return registry_; }
  SPBasicSuite *BasicSuite();
  // The `countdown`-th block allocation from now fails (1: the next one);
  // 0 turns failures off.
  void FailAllocationAt(int countdown) { allocationCountdown_ = countdown; }
  bool TakeAllocationFailure();
  // Same for parameter blocks of the action manager.
  void FailParamBlockAt(int countdown) { paramBlockCountdown_ = countdown; }
  bool TakeParamBlockFailure();
  // The `countdown`-th call from now of the suite function named `call` (as
  // in its suite: "AddMenuItem", "AddNotifier", ...) fails once with
  // `status`, changing nothing; 0 turns it off.
  void FailCallAt(const std::string &call, int countdown, ASErr status);
  // For the suites: the status this call of `call` must fail with, or 0.
  ASErr TakeCallFailure(const std::string &call);

  // ---- Events --------------------------------------------------------
  // Each tick advances the virtual clock by 1/60 s, dispatches pending
  // window messages and sends "AI Timer" to every timer whose period has
  // come round.
  void RunTicks(long ticks);
  // Ticks until `done` holds (checked before each tick) or `maxTicks` ran;
  // returns whether it held.
  bool RunUntil(const std::function<bool()> &done, long maxTicks);
  long Ticks() const { return ticks_; }

  std::vector<std::unique_ptr<MenuItem>> &MenuItems() { return menuItems_; }
  MenuItem *FindMenuItem(const std::string &name);
  bool HasMenuGroup(const std::string &group) const;
  void AddMenuGroup(const std::string &group);
  // The user chooses the item: "AI Menu"/"AI Go". False when there is none.
  bool ChooseMenuItem(const std::string &name);
  // Before a menu opens: "AI Menu"/"AI Update" to each item that asked.
  void UpdateMenus();

  std::vector<std::unique_ptr<Timer>> &Timers() { return timers_; }
  std::vector<std::unique_ptr<Notifier>> &Notifiers() { return notifiers_; }
  // Runs every plug-in registered for `type`, in registration order; a type
  // nobody registered reaches nobody.
  ASErr Notify(const char *type, void *data);
  // Called with every notification sent, before any receiver runs (the CLI
  // lists what a command sent).
  void ObserveNotifications(std::function<void(const std::string &type, void *data)> observer) {
    notificationObserver_ = std::move(observer);
  }

  std::vector<std::unique_ptr<Action>> &Actions() { return actions_; }
  // The host's own actions ("adobe_saveDocument", ...), by name.
  void AddHostAction(const std::string &name, std::function<ASErr(ParamBlock *)> run);
  ASErr PlayAction(const char *name, ASInt32 dialogStatus, ParamBlock *params);
  struct UndoNames {
    std::string undo, redo;  // UTF-8
  };
  std::vector<UndoNames> &UndoHistory() { return undoHistory_; }

  // ---- Documents -------------------------------------------------------
  // The open documents; the document suites and the save and close
  // actions work on its current one.
  DocumentList &Documents() { return documents_; }

  // ---- The composition engine's services (Vardo Engine Suite) ---------
  void SetPictureSettings(PictureSettings settings) { pictures_ = std::move(settings); }
  const PictureSettings &Pictures() const { return pictures_; }
  // Every problem reported since the list was last cleared, in order.
  std::vector<EngineProblem> &EngineProblems() { return engineProblems_; }

  // ---- User ----------------------------------------------------------
  void AddAlert(Alert::Kind kind, const std::string &utf8);
  const std::vector<Alert> &Alerts() const { return alerts_; }
  // Called for each alert as it is shown (the CLI prints them).
  void OnAlert(std::function<void(const Alert &)> observer) {
    alertObserver_ = std::move(observer);
  }

  // ---- Windows and panels ----------------------------------------------
  // The main window (created on first use) and the view window inside it
  // that shows the current document.
  HWND MainWindow();
  HWND DocumentWindow();
  // The main window's title names the current document as "NAME @ 100% ...";
  // an empty name shows the bare application title.
  void SetDocumentTitle(const std::string &utf8Name);
  std::vector<std::unique_ptr<Panel>> &Panels() { return panels_; }
  Panel *FindPanel(const std::string &id);
  // The user picks an entry of a panel's flyout menu: the plug-in's handler
  // runs. False when the panel, its menu, the entry or the handler is
  // missing (separators cannot be picked).
  bool ChooseFlyoutItem(const std::string &panelId, ASUInt32 itemId);
  // The user resizes a panel's client area; the size handler runs.
  bool ResizePanel(const std::string &panelId, int width, int height);

  // ---- Preferences and theme -------------------------------------------
  void SetRealPreference(const std::string &name, double value) { realPrefs_[name] = value; }
  void RemoveRealPreference(const std::string &name) { realPrefs_.erase(name); }
  bool GetRealPreference(const std::string &name, double *value) const;
  void SetThemeColor(ASInt32 name, ASInt32 type, AIUIThemeColor color) {
    theme_[{name, type}] = color;
  }
  bool GetThemeColor(ASInt32 name, ASInt32 type, AIUIThemeColor *color) const;

 private:
  void RegisterSuites();
  bool OpenLibrary(Plugin &plugin, std::string *error);

  SuiteRegistry registry_;
  DocumentList documents_;  // closed after the plug-ins have shut down
  std::vector<std::unique_ptr<Plugin>> plugins_;
  std::vector<std::unique_ptr<MenuItem>> menuItems_;
  std::vector<std::string> menuGroups_;
  std::vector<std::unique_ptr<Timer>> timers_;
  std::vector<std::unique_ptr<Notifier>> notifiers_;
  std::vector<std::unique_ptr<Action>> actions_;
  std::vector<std::unique_ptr<Panel>> panels_;
  HWND mainWindow_ = nullptr;
  HWND documentWindow_ = nullptr;
  std::map<std::string, std::function<ASErr(ParamBlock *)>> hostActions_;
  std::vector<UndoNames> undoHistory_;
  PictureSettings pictures_;
  std::vector<EngineProblem> engineProblems_;
  std::vector<Alert> alerts_;
  std::function<void(const Alert &)> alertObserver_;
  std::map<std::string, double> realPrefs_;
  std::map<std::pair<ASInt32, ASInt32>, AIUIThemeColor> theme_;
  int allocationCountdown_ = 0;
  int paramBlockCountdown_ = 0;
  struct CallFailure {
    int countdown = 0;
    ASErr status = kNoErr;
  };
  std::map<std::string, CallFailure> callFailures_;
  std::function<void(const std::string &, void *)> notificationObserver_;
  long ticks_ = 0;
};

}  // namespace vhost
