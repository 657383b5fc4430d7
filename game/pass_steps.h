#pragma once

namespace game {

// How one pass of the game loop shares out its steps: the frame clock takes World steps of the world,
// and View steps of the view go with them, spread over them so that each follows the world steps due
// before it and the last follows the last. Once the plan is used up (or when nobody made one), one
// view step follows each world step.
struct TPassSteps {
    int World = 0;
    int View = 0;
    int WorldDone = 0;
    int ViewDone = 0;

    // Counts one more world step and answers how many view steps are due after it.
    int ViewStepsAfterWorldStep() {
        if (WorldDone >= World) {
            return 1;
        }
        ++WorldDone;
        const int due = View * WorldDone / World;
        const int now = due - ViewDone;
        ViewDone = due;
        return now;
    }
};

}  // namespace game
