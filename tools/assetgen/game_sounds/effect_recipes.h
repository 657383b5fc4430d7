#pragma once

#include "platform/pcm_sound.h"
#include "tools/synth/curve.h"
#include "tools/synth/signal.h"

// The recipes of the game's effects, one function each, and the finishing steps they share. Every
// recipe draws from a generator seeded with its own number, so each sound is the same on every run.
namespace tools::assetgen {

// Pitch and cutoff slides run by equal ratios, as the ear hears them.
inline constexpr auto kExp = synth::Curve::Shape::Exponential;

// Weapons: the rocket's launch and blast, a gatling burst (three rounds, one tower's reload apart),
// and the laser's hum, a seamless loop for as long as the beam burns.
platform::PcmSound MakeLaunch();
platform::PcmSound MakeBlast();
platform::PcmSound MakeGatling();
platform::PcmSound MakeLaser();

// The battle's cues: a bug dying, the base taking a hit, the alarm when its damage band falls.
platform::PcmSound MakeBugDeath();
platform::PcmSound MakeBaseHit();
platform::PcmSound MakeAlarm();

// The player's cues: short and distinct, none of them tiring when repeated.
platform::PcmSound MakePurchase();
platform::PcmSound MakeRefused();
platform::PcmSound MakePlace();
platform::PcmSound MakeRepair();
platform::PcmSound MakePause();
platform::PcmSound MakeResume();

// The survival game's and the sale's cues: a tower sold, a wave leaving its nests, the base fallen.
platform::PcmSound MakeSell();
platform::PcmSound MakeWave();
platform::PcmSound MakeFallen();

// Wind over the valley: a quiet stereo loop under everything.
platform::PcmSound MakeAmbience();

// Normalises a layer to `peak` and adds it to the mix from time `at` on, so that the recipes set
// their layers' balance in plain peak levels whatever each source's natural level.
void AddLayer(synth::Signal& mix, synth::Signal layer, float peak, double at = 0);

// A one-shot: no DC, a click-free start and end (`fadeOut` seconds), its peak at `peak`.
platform::PcmSound FinishOneShot(synth::Signal signal, float peak, double fadeOut = 0.005);
// A loop: its mean removed (a filter would break the seam), its peak at `peak`, no fades, which
// would dip at the seam. Stereo channels share one scale.
platform::PcmSound FinishLoop(synth::Signal signal, float peak);
platform::PcmSound FinishLoop(synth::Signal left, synth::Signal right, float peak);

}  // namespace tools::assetgen
