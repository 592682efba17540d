#pragma once
// Readable QString values in test failure messages.

#include <QString>

#include <ostream>

#include "testutil.h"
