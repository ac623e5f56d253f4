#include "fault_points.h"

#include <array>

namespace vplat::faults {
namespace {

struct Countdown {
  bool armed = false;
  bool persistent = false;
  bool struck = false;  // a persistent fault that has fired keeps failing
  long long left = 0;   // operations (bytes for DiskFull) still allowed
};

constexpr size_t kKinds = static_cast<size_t>(Op::CreateDirectory) + 1;
std::array<Countdown, kKinds> countdowns;
bool fired = false;

Countdown &Of(Op op) { return countdowns[static_cast<size_t>(op)]; }

}  // namespace

void Arm(Op op, int countdown, bool persistent) {
  Countdown &c = Of(op);
  c = Countdown{};
  if (countdown < 0) return;
  c.armed = true;
  c.persistent = persistent;
  c.left = countdown;
}

void Reset() {
  countdowns = {};
  fired = false;
}

bool Fired() { return fired; }

bool Strike(Op op) {
  Countdown &c = Of(op);
  if (!c.armed) return false;
  if (c.struck) {
    fired = true;
    return true;
  }
  if (c.left > 0) {
    --c.left;
    return false;
  }
  fired = true;
  if (c.persistent)
    c.struck = true;
  else
    c.armed = false;
  return true;
}

size_t DiskRoom(size_t want) {
  Countdown &c = Of(Op::DiskFull);
  if (!c.armed || want == 0) return want;
  if (c.struck) {
    fired = true;
    return 0;
  }
  if (static_cast<unsigned long long>(c.left) >= want) {
    c.left -= static_cast<long long>(want);
    return want;
  }
  const size_t room = static_cast<size_t>(c.left);
  fired = true;
  if (c.persistent) {
    c.struck = true;
    c.left = 0;
  } else {
    c.armed = false;
  }
  return room;
}

}  // namespace vplat::faults
