#pragma once

#include "engine/core/component.h"
#include "engine/platform/input_events.h"
#include "engine/platform/logical_screen.h"
#include "engine/platform/virtual_keys.h"

#include <functional>

namespace engine {

// The viewer's input events; the sender is the viewer, positions are logical pixels.
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
// wheelDelta: kWheelDelta per notch, positive when rolled away from the user.
using TMouseWheelEvent =
    std::function<void(TComponent* sender, TShiftState shift, int wheelDelta, ScreenPoint mousePos, bool& handled)>;
using TKeyEvent = std::function<void(TComponent* sender, TVirtualKey key, TShiftState shift)>;
// A typed character; the handler may set it to '\0' to consume it.
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;

}  // namespace engine
