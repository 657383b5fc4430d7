#pragma once

// The slots of the application's cursor table, as the viewer's Cursor takes them.
namespace game::cursors {
inline constexpr int Default = 1;
inline constexpr int Refusing = 2;  // an unaffordable button, or a tower on an illegal spot
inline constexpr int Choose = 3;    // over an affordable button
inline constexpr int Left = 4;
inline constexpr int Right = 5;
inline constexpr int Up = 6;
inline constexpr int Down = 7;
inline constexpr int LeftUp = 8;
inline constexpr int LeftDown = 9;
inline constexpr int RightUp = 10;
inline constexpr int RightDown = 11;
inline constexpr int Place = 12;
inline constexpr int Repair = 13;
}  // namespace game::cursors
