#pragma once

#include <stdexcept>

namespace engine {

// Failures of the full-screen window and its rendering context; the text is the fixed message the
// user sees ("Unsupported video mode", "Failed to create RenderingContext.", ...).
class EScreenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace engine
