// Resource identifiers shared by tarvex.rc and the host code.
#pragma once

#define IDI_TARVEX 101
