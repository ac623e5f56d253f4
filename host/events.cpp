// Menus, timers and notifiers: the host's side of the events plug-ins
// register for, and the suites through which they register.
#include <windows.h>

#include "AIMenu.h"
#include "AINotifier.h"
#include "AITimer.h"
#include "host.h"
#include "suites.h"
#include "vplatform/clock.h"

namespace vhost {

namespace {

constexpr long long kTickMicros = 1000000 / 60;

Plugin *PluginOf(SPPluginRef ref) { return reinterpret_cast<Plugin *>(ref); }

ASErr AddMenuItem(SPPluginRef plugin, const char *name, const char *group, const ai_uchar16 *text,
                  ASInt32 options, AIMenuItemHandle *item) {
  Host *host = Host::Current();
  if (item) *item = nullptr;
  if (!host || !name || !group || !item) return kBadParameterErr;
  if (!host->HasMenuGroup(group)) return kBadParameterErr;
  if (ASErr failure = host->TakeCallFailure("AddMenuItem")) return failure;
  auto entry = std::make_unique<MenuItem>();
  entry->plugin = PluginOf(plugin);
  entry->name = name;
  entry->group = group;
  entry->text = text ? std::u16string(text) : std::u16string();
  entry->options = options;
  *item = reinterpret_cast<AIMenuItemHandle>(entry.get());
  host->MenuItems().push_back(std::move(entry));
  return kNoErr;
}

ASErr AddMenuGroupAsSubMenu(const char *name, ASInt32, AIMenuItemHandle item, AIMenuGroup *result) {
  Host *host = Host::Current();
  if (result) *result = nullptr;
  if (!host || !name || !item) return kBadParameterErr;
  if (host->HasMenuGroup(name)) return kBadParameterErr;
  host->AddMenuGroup(name);
  if (result) *result = reinterpret_cast<AIMenuGroup>(item);
  return kNoErr;
}

ASErr CheckItem(AIMenuItemHandle item, ASBoolean checked) {
  if (!item) return kBadParameterErr;
  reinterpret_cast<MenuItem *>(item)->checked = checked != 0;
  return kNoErr;
}

const AIMenuSuite kMenuSuite = {AddMenuItem, AddMenuGroupAsSubMenu, CheckItem};

ASErr AddTimer(SPPluginRef plugin, const char *name, ASInt32 period, AITimerHandle *timer) {
  Host *host = Host::Current();
  if (timer) *timer = nullptr;
  if (!host || !timer || period < 1) return kBadParameterErr;
  if (ASErr failure = host->TakeCallFailure("AddTimer")) return failure;
  auto entry = std::make_unique<Timer>();
  entry->plugin = PluginOf(plugin);
  entry->name = name ? name : "";
  entry->period = period;
  *timer = reinterpret_cast<AITimerHandle>(entry.get());
  host->Timers().push_back(std::move(entry));
  return kNoErr;
}

const AITimerSuite kTimerSuite = {AddTimer};

ASErr AddNotifier(SPPluginRef plugin, const char *name, const char *type,
                  AINotifierHandle *notifier) {
  Host *host = Host::Current();
  if (notifier) *notifier = nullptr;
  if (!host || !type || !notifier) return kBadParameterErr;
  if (ASErr failure = host->TakeCallFailure("AddNotifier")) return failure;
  auto entry = std::make_unique<Notifier>();
  entry->plugin = PluginOf(plugin);
  entry->name = name ? name : "";
  entry->type = type;
  *notifier = reinterpret_cast<AINotifierHandle>(entry.get());
  host->Notifiers().push_back(std::move(entry));
  return kNoErr;
}

ASErr NotifySuite(const char *type, void *data) {
  Host *host = Host::Current();
  return host && type ? host->Notify(type, data) : kBadParameterErr;
}

const AINotifierSuite kNotifierSuite = {AddNotifier, NotifySuite};

}  // namespace

void RegisterEventSuites(SuiteRegistry &registry) {
  registry.Add(kAIMenuSuite, kAIMenuSuiteVersion, &kMenuSuite);
  registry.Add(kAITimerSuite, kAITimerSuiteVersion, &kTimerSuite);
  registry.Add(kAINotifierSuite, kAINotifierSuiteVersion, &kNotifierSuite);
}

MenuItem *Host::FindMenuItem(const std::string &name) {
  for (auto &item : menuItems_) {
    if (item->name == name) return item.get();
  }
  return nullptr;
}

bool Host::HasMenuGroup(const std::string &group) const {
  for (const std::string &g : menuGroups_) {
    if (g == group) return true;
  }
  return false;
}

void Host::AddMenuGroup(const std::string &group) { menuGroups_.push_back(group); }

bool Host::ChooseMenuItem(const std::string &name) {
  MenuItem *item = FindMenuItem(name);
  if (!item || !item->plugin) return false;
  AIMenuMessage message{};
  message.menuItem = reinterpret_cast<AIMenuItemHandle>(item);
  Send(*item->plugin, kCallerAIMenu, kSelectorAIGoMenuItem, &message.d);
  return true;
}

void Host::UpdateMenus() {
  // Indexes, not iterators: a handler may register further items.
  for (size_t i = 0; i < menuItems_.size(); ++i) {
    MenuItem *item = menuItems_[i].get();
    if (!(item->options & kMenuItemWantsUpdateOption) || !item->plugin) continue;
    AIMenuMessage message{};
    message.menuItem = reinterpret_cast<AIMenuItemHandle>(item);
    Send(*item->plugin, kCallerAIMenu, kSelectorAIUpdateMenuItem, &message.d);
  }
}

ASErr Host::Notify(const char *type, void *data) {
  if (notificationObserver_) notificationObserver_(type, data);
  for (size_t i = 0; i < notifiers_.size(); ++i) {
    Notifier *n = notifiers_[i].get();
    if (n->type != type || !n->plugin || !n->plugin->main) continue;
    AINotifierMessage message{};
    message.notifier = reinterpret_cast<AINotifierHandle>(n);
    message.type = n->type.c_str();
    message.notifyData = data;
    Send(*n->plugin, kCallerAINotify, kSelectorAINotify, &message.d);
  }
  return kNoErr;
}

void Host::RunTicks(long count) {
  for (long t = 0; t < count; ++t) {
    vplat::clock::Advance(kTickMicros);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    ++ticks_;
    for (size_t i = 0; i < timers_.size(); ++i) {
      Timer *timer = timers_[i].get();
      if (ticks_ % timer->period != 0 || !timer->plugin || !timer->plugin->main) continue;
      AITimerMessage message{};
      message.timer = reinterpret_cast<AITimerHandle>(timer);
      Send(*timer->plugin, kCallerAITimer, kSelectorAIGoTimer, &message.d);
    }
  }
}

bool Host::RunUntil(const std::function<bool()> &done, long maxTicks) {
  for (long t = 0; t < maxTicks; ++t) {
    if (done()) return true;
    RunTicks(1);
  }
  return done();
}

}  // namespace vhost
