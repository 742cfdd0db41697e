// Resource identifiers of the tool-tip tests.
#pragma once

#define IDS_TIP_FROM_RESOURCE 3401
