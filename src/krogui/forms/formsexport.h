#pragma once

#include <QtCore/qglobal.h>

#if defined(KROGUI_FORMS_BUILDING)
#define KROGUI_FORMS_EXPORT Q_DECL_EXPORT
#else
#define KROGUI_FORMS_EXPORT Q_DECL_IMPORT
#endif
