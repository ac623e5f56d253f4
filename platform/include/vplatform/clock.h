// The virtual clock behind GetTickCount, Sleep, SetTimer and the waiting in
// GetMessage. Time is a count of microseconds from 0; it moves only when
// something advances it, never with real time. Automation schedules events
// on it (a cursor move, a button release, a key stroke) that run when the
// code under test sleeps or waits for messages, which makes loops such as a
// drag that polls the mouse and sleeps deterministic.
#ifndef VARDO_VPLATFORM_CLOCK_H
#define VARDO_VPLATFORM_CLOCK_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

namespace vplat::clock {

using Micros = std::uint64_t;
using EventId = std::uint64_t;

// Current virtual time.
VPLAT_API Micros Now();

// Moves time forward by delta, running every event that comes due on the
// way in time order (events due at the same time in the order they were
// scheduled), each with Now() equal to its own due time. Events may
// schedule, cancel and advance further; after the call Now() is at least
// the target.
VPLAT_API void Advance(Micros delta);
// Advance to an absolute time; a time in the past changes nothing.
VPLAT_API void AdvanceTo(Micros when);

// Runs fn delay microseconds from now (0: at the next advance, even one of
// 0). Returns an id for Cancel; ids are never 0 and never reused.
VPLAT_API EventId Schedule(Micros delay, std::function<void()> fn);
// Removes a pending event. Returns false if it already ran or never was.
VPLAT_API bool Cancel(EventId id);
// Due time of the earliest pending event, if any.
VPLAT_API std::optional<Micros> NextEventTime();
// Drops every pending event and sets the time back to 0 (test fixtures;
// vplat::ResetWindowManager calls it).
VPLAT_API void Reset();

}  // namespace vplat::clock

#endif
