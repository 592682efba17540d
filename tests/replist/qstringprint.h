#pragma once
// Readable QString values in test failure messages (the shared PrintTo).

#include "testutil.h"
