#pragma once
// Size arithmetic for the data structures: overflow-checked products and a plausibility check of
// a storage request before anything is allocated.

#include <krogui/kroguiexport.h>

#include <QtGlobal>

#include <limits>

namespace kro {

/// A * B in Result; false (Result untouched) when the product does not fit in 64 bits.
inline bool CheckedMul(quint64 A, quint64 B, quint64 &Result)
{
    if (A != 0 && B > std::numeric_limits<quint64>::max() / A) return false;
    Result = A * B;
    return true;
}

/// A + B in Result; false when the sum does not fit in 64 bits.
inline bool CheckedAdd(quint64 A, quint64 B, quint64 &Result)
{
    if (B > std::numeric_limits<quint64>::max() - A) return false;
    Result = A + B;
    return true;
}

/// Physical memory of the machine in bytes; 0 when it cannot be determined.
KROGUI_EXPORT quint64 PhysicalMemoryBytes();

/// Memory the system can still hand out in bytes (on Linux MemAvailable, elsewhere the physical
/// memory); 0 when it cannot be determined.
KROGUI_EXPORT quint64 AvailableMemoryBytes();

/// False when a storage of Bytes bytes cannot be had: requests above 256 MiB are compared with
/// the available memory. Checked before allocating, because an over-committing system may grant
/// a huge block and kill the process later when it is touched.
KROGUI_EXPORT bool StorageObtainable(quint64 Bytes);

} // namespace kro
