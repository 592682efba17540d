#pragma once

#include <QtCore/qglobal.h>

#if defined(KROGUI_BUILDING)
#define KROGUI_EXPORT Q_DECL_EXPORT
#else
#define KROGUI_EXPORT Q_DECL_IMPORT
#endif
