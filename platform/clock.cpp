// The virtual clock: a time and an ordered set of pending events.
#include <vplatform/clock.h>

#include <map>
#include <utility>

namespace vplat::clock {
namespace {

struct Clock {
  Micros now = 0;
  EventId nextId = 1;
  // Keyed by (due time, id): equal times run in scheduling order.
  std::map<std::pair<Micros, EventId>, std::function<void()>> events;
  std::map<EventId, Micros> dueOf;
};

Clock &C() {
  static Clock c;
  return c;
}

}  // namespace

Micros Now() { return C().now; }

void AdvanceTo(Micros when) {
  Clock &c = C();
  while (!c.events.empty() && c.events.begin()->first.first <= when) {
    auto it = c.events.begin();
    Micros due = it->first.first;
    std::function<void()> fn = std::move(it->second);
    c.dueOf.erase(it->first.second);
    c.events.erase(it);
    if (due > c.now) c.now = due;
    fn();
  }
  if (when > c.now) c.now = when;
}

void Advance(Micros delta) { AdvanceTo(C().now + delta); }

EventId Schedule(Micros delay, std::function<void()> fn) {
  Clock &c = C();
  EventId id = c.nextId++;
  Micros due = c.now + delay;
  c.events.emplace(std::make_pair(due, id), std::move(fn));
  c.dueOf.emplace(id, due);
  return id;
}

bool Cancel(EventId id) {
  Clock &c = C();
  auto it = c.dueOf.find(id);
  if (it == c.dueOf.end()) return false;
  c.events.erase({it->second, id});
  c.dueOf.erase(it);
  return true;
}

std::optional<Micros> NextEventTime() {
  Clock &c = C();
  if (c.events.empty()) return std::nullopt;
  return c.events.begin()->first.first;
}

void Reset() {
  Clock &c = C();
  // Moved out first: destroying a callback may release state that
  // schedules or cancels.
  auto events = std::move(c.events);
  c.events.clear();
  c.dueOf.clear();
  c.now = 0;
}

}  // namespace vplat::clock

extern "C" DWORD WINAPI GetTickCount(void) {
  return static_cast<DWORD>(vplat::clock::Now() / 1000);
}

extern "C" ULONGLONG WINAPI GetTickCount64(void) { return vplat::clock::Now() / 1000; }

extern "C" VOID WINAPI Sleep(DWORD ms) {
  vplat::clock::Advance(static_cast<vplat::clock::Micros>(ms) * 1000);
}
