#pragma once

#include "editor/data/map_records.h"

#include <cstdint>
#include <string>

// Map records with the fields a test cares about; the rest as a click with the tools' start values
// would store them.
namespace editor::test_records {

inline TGroundObject GroundAt(std::int32_t kind, std::uint8_t x, std::uint8_t y, std::uint8_t length = 1,
                              std::int32_t angle = 0) {
    TGroundObject object;
    object.Kind = kind;
    object.X = x;
    object.Y = y;
    object.Length = length;
    object.Angle = angle;
    return object;
}

inline TSpecialObject SpecialAt(std::uint8_t kind, std::uint8_t x, std::uint8_t y, const std::string& param) {
    TSpecialObject object;
    object.Kind = kind;
    object.X = x;
    object.Y = y;
    object.Param.Assign(param);
    return object;
}

inline TAirObject AirAt(std::int32_t kind, std::uint8_t x, std::uint8_t y, std::int32_t level = 0,
                        std::uint8_t opacity = 255) {
    TAirObject object;
    object.Kind = kind;
    object.X = x;
    object.Y = y;
    object.Level = level;
    object.Opacity = opacity;
    return object;
}

}  // namespace editor::test_records
