// The host's window classes this program exercises: they belong to tarvex.exe
// rather than to a library, so the test program compiles them in itself.
#include "host/win32/control_window.cpp"
#include "host/win32/tab_window.cpp"
#include "host/win32/tab_page_tabs.cpp"
