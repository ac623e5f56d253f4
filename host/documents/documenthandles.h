// Handles the host hands out for documents, layers, art, views and custom
// colours. A handle stays valid while its object lives and is never reused:
// its low 32 bits are a process-wide serial number, unique among all
// handles, so that the low half alone (all an integer parameter can carry)
// still names one object. A dead or foreign handle is recognised, not
// followed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vhost {

enum class HandleKind : uint8_t { kDocument = 1, kLayer, kArt, kView, kCustomColor };

// Registers `object` and returns its handle value.
void *RegisterHandle(HandleKind kind, void *object);
// Forgets the handle; lookups of it fail from now on.
void UnregisterHandle(void *handle);
// The object of a live handle of `kind`; null otherwise.
void *LookUpHandle(HandleKind kind, const void *handle);
// The object whose handle has these low 32 bits, if it is of `kind` and
// alive.
void *LookUpLow32(HandleKind kind, uint32_t low32);
// Number of live handles (tests check that disposing forgets them).
size_t LiveHandleCount();

inline uint32_t Low32(const void *handle) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace vhost
