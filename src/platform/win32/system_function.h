// A function of a system library that the program loads on first use rather
// than at start: under Wine each library loaded with the program (and those it
// brings) delays the first window by milliseconds.
#pragma once

#include <windows.h>

namespace tarvex {

// Null when the library or the function is missing. The library stays loaded.
template <class Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tarvex
