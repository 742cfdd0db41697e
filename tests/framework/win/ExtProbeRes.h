// Resource identifiers of the probe extension DLL.
#pragma once

#define IDS_PROBE_TEXT 1234
