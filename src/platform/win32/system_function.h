// A function of a system library that the program loads on first use rather
// than at start: a library first needed after the window is up is not loaded
// (with the libraries it brings) ahead of the window.
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
