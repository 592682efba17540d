#pragma once
// The one way a setter stores a property: assign when the value differs and say so, so that the
// setter can go on to repaint, invalidate or fire its events only for a real change.
//
//   void TMine::SetSpacing(int Value)
//   {
//       if (!StoreClamped(FSpacing, Value, 0, 100)) return;
//       Invalidate();
//   }

#include <algorithm>
#include <utility>

namespace kro {

/// Stores Value in Field when they differ; true when Field changed.
template <class T, class V> bool Store(T &Field, V &&Value)
{
    if (Field == Value)
        return false;
    Field = std::forward<V>(Value);
    return true;
}

/// Stores Value clamped to Low..High; true when Field changed.
template <class T> bool StoreClamped(T &Field, T Value, T Low, T High)
{
    return Store(Field, std::clamp(Value, Low, High));
}

} // namespace kro
