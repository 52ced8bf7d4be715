#pragma once

// Identifiers of the resources in quillon.rc.

// The program icon. Being the lowest icon identifier, it is also the one the
// shell shows for quillon.exe.
#define IDI_QUILLON 1
