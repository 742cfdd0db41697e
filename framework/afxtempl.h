// The framework's collection templates (CArray, CMap, CTypedPtrArray, CTypedPtrMap).
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "core/Array.h"
#include "core/Map.h"
#include "core/TypedPtr.h"
