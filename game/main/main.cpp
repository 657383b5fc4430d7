#include "game/session/game_session.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return game::RunSkirmish(argc > 0 ? argv[0] : "skirmish", std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
