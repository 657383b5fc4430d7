#pragma once

#include <cstdint>

namespace engine {

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// The keys and buttons held while an input event happens, as a set of these bits.
enum TShiftStateItem : std::uint8_t {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};
using TShiftState = std::uint8_t;

// One notch of the wheel, as the wheel event reports it.
constexpr int kWheelDelta = 120;

}  // namespace engine
