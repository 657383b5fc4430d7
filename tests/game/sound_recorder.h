#pragma once

#include "engine/audio/game_sounds.h"
#include "game/sound_sink.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tests {

// What the handlers told the sink, in order, one word each: "launch", "loop laser 3",
// "stop laser 3", "paused", "going on", "mute", "volume -10".
class TSoundRecorder final : public game::TSoundSink {
public:
    struct TEvent {
        std::string What;
        engine::TVec4 At;
    };

    void Play(engine::TGameSound sound, const engine::TVec4& at) override { Add(Name(sound), at); }
    void StartLoop(engine::TGameSound sound, int owner, const engine::TVec4& at) override {
        Add("loop " + Name(sound) + " " + std::to_string(owner), at);
    }
    void StopLoop(engine::TGameSound sound, int owner) override { Add("stop " + Name(sound) + " " + std::to_string(owner)); }
    void SetPaused(bool paused) override { Add(paused ? "paused" : "going on"); }
    void ToggleMuted() override { Add("mute"); }
    void ChangeVolume(int percent) override { Add("volume " + std::to_string(percent)); }

    std::vector<std::string> Take() {
        std::vector<std::string> words;
        for (const TEvent& event : events) {
            words.push_back(event.What);
        }
        events.clear();
        return words;
    }
    std::int64_t Count(const std::string& what) const {
        return std::count_if(events.begin(), events.end(), [&](const TEvent& e) { return e.What == what; });
    }

    std::vector<TEvent> events;

private:
    static std::string Name(engine::TGameSound sound) { return std::string(engine::GameSoundTraits()[sound].Name); }
    void Add(const std::string& what, const engine::TVec4& at = {}) { events.push_back({what, at}); }
};

}  // namespace tests
