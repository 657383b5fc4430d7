#pragma once

#include <type_traits>
#include <utility>

namespace engine {

// The setter of a published property: stores the value and then tells whoever must hear of it (the
// owner, a change flag, an event), but only when the value differs, so that setting a property to
// what it already holds rebuilds and redraws nothing.
template <class T, class Notify>
void SetAndNotify(T& field, const std::type_identity_t<T>& value, Notify&& notify) {
    if (field == value) {
        return;
    }
    field = value;
    std::forward<Notify>(notify)();
}

}  // namespace engine
