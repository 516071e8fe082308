#pragma once
// Which loaded module a piece of code comes from: the unit-versioning records are kept per module,
// and a module is known by the address it is mapped at.

// A loaded module is known by the address it is mapped at.
using TModuleHandle = const void*;

// The module holding Address (code or data of a loaded program or library); nullptr when no
// loaded module holds it.
TModuleHandle ModuleOfAddress(const void* Address);
