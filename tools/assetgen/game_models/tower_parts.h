#pragma once

#include "tools/assetgen/game_models/model_parts.h"

#include <string>

// What the towers' models share: their skin, the turntable their guns sit on, and the turn from
// the z-up modelling to the game's y-up towers.
namespace tools::assetgen {

// The material of every part painted from tower.jpg.
constexpr const char* kTowerMaterial = "tower";

// A region of tower.jpg in texture coordinates.
UvRect TowerUv(Region region);

// A model of one object drawn with the tower material; add the object's other materials after it.
Model3ds TowerModel(const std::string& name, Object3ds object);

// Turns every part of a z-up object upright, so model z becomes the tower's y.
Object3ds Upright(Object3ds object);

// The turntable the gun sits on, its top at the mount height (z up).
void AddTurntable(Object3ds& object, float radius);

}  // namespace tools::assetgen
