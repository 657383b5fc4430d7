#pragma once

#include <string>
#include <vector>

namespace game {

// The program: reads the command line, plays the game until the player (or the options) end it,
// writes what the options ask for and answers the exit status: 0 after a game, 1 when the game
// could not start, 2 for a bad command line or script.
int RunSkirmish(const std::string& programPath, const std::vector<std::string>& arguments);

}  // namespace game
