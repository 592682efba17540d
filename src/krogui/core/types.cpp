#include <krogui/core/types.h>
// The meta-object of namespace kro is generated from types.h.
