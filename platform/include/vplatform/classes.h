// Built-in window classes ("Static", "Button", "Edit", "ComboBox",
// "SysListView32", the dialog class "#32770", ...) register themselves
// through this hook, so the window manager needs to know none of them.
//
// Each control's source file holds one static registration object:
//
//   static void RegisterButtonClass() { WNDCLASSW wc{...}; RegisterClassW(&wc); }
//   static const vplat::BuiltinClass buttonClass(&RegisterButtonClass);
//
// The registration functions run once, in the order their objects were
// constructed, just before the first class lookup (CreateWindowEx,
// RegisterClass, GetClassInfo, FindWindow with a class, ...), and again
// after vplat::ResetWindowManager() has unregistered every class. A function
// added after that first lookup runs at once. They are called on the UI
// thread and must only register classes.
#ifndef VARDO_VPLATFORM_CLASSES_H
#define VARDO_VPLATFORM_CLASSES_H

#include <windows.h>

namespace vplat {

using ClassRegistrar = void (*)();

// Adds fn to the built-in class registrations.
VPLAT_API void AddBuiltinClassRegistrar(ClassRegistrar fn);

// Calls AddBuiltinClassRegistrar from a static initializer.
struct BuiltinClass {
  explicit BuiltinClass(ClassRegistrar fn) { AddBuiltinClassRegistrar(fn); }
};

}  // namespace vplat

#endif
