#pragma once

#include <stdexcept>

namespace engine {

// A model stream that ends inside a header or a data block.
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") {}
};

}  // namespace engine
