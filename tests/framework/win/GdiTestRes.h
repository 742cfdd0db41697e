// Resource identifiers of the graphics tests.
#pragma once

// 2x2: red, green on top; blue, white below.
#define IDB_GDI_PROBE 3301
