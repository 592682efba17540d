#pragma once
// Readable QString values in test failure messages.

#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &Text, std::ostream *Os)
{
    *Os << '"' << Text.toStdString() << '"';
}
QT_END_NAMESPACE
