// The framework's ready-made collections (CPtrArray, CStringArray, CUIntArray,
// CDWordArray, CByteArray, CMapStringToPtr, CMapStringToOb, CMapStringToString).
#pragma once

#include "afx.h"
#include "core/Collections.h"
