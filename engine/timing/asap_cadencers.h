#pragma once

namespace engine {

class TGLCadencer;

// The process-wide list of cadencers in cmASAP. While it has entries, the main loop takes one step
// per pass: every registered cadencer ticks once, from the last registered to the first.
namespace asap_cadencers {

// Makes sure the list exists; a cadencer calls it on construction so the list outlives it.
void Touch();
// Appends (never twice) and installs the loop's frame step.
void Register(TGLCadencer* cadencer);
// Empties the cadencer's entry; the next step compacts the list and uninstalls itself when empty.
void Unregister(TGLCadencer* cadencer);
bool Contains(const TGLCadencer* cadencer);

}  // namespace asap_cadencers

}  // namespace engine
