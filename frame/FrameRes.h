// Resource identifiers of the library frame.
#pragma once

// A Russian string that shows the module's own resources are reachable.
#define IDS_EXTKIT_RESOURCE_PROBE 61000
