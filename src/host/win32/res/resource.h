// Resource identifiers shared by tarvex.rc and the host code.
#pragma once

#define IDI_TARVEX 101
#define IDI_RECORD 102
#define IDB_STRIP 201
#define IDB_TAB0 211
#define IDB_TAB1 212
#define IDB_TAB2 213
#define IDB_TAB3 214
#define IDC_LINKHAND 301
