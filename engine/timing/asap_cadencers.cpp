#include "engine/timing/asap_cadencers.h"

#include "engine/platform/application.h"
#include "engine/timing/cadencer.h"

#include <algorithm>
#include <vector>

namespace engine::asap_cadencers {

namespace {

struct List {
    std::vector<TGLCadencer*> entries;  // null: unregistered, dropped by the next step
    bool stepping = false;
};

List& TheList() {
    static List list;
    return list;
}

// Our loop already runs other work between two steps, so unlike a posted-message scheme it needs no
// flood guard: each pass takes exactly one step.
void Step() {
    List& list = TheList();
    if (list.stepping) {
        return;  // a Tick processing messages reaches the loop again
    }
    list.stepping = true;
    TApplication& application = Application();
    for (std::size_t i = list.entries.size(); i-- > 0;) {
        TGLCadencer* cadencer = list.entries[i];
        if (!cadencer || cadencer->Mode() != cmASAP || !cadencer->Enabled() || cadencer->Progressing() != 0) {
            continue;
        }
        if (application.Terminated()) {
            cadencer->SetEnabled(false);
            continue;
        }
        try {
            cadencer->Tick();
        } catch (...) {
            application.HandleException(std::current_exception());
            // Entries are only emptied during a step, so the slot still names the cadencer unless
            // it was destroyed meanwhile.
            if (list.entries[i] == cadencer) {
                cadencer->SetEnabled(false);
            }
        }
    }
    std::erase(list.entries, nullptr);
    if (list.entries.empty()) {
        application.SetFrameStep(nullptr);
    }
    list.stepping = false;
}

}  // namespace

void Touch() {
    TheList();
}

void Register(TGLCadencer* cadencer) {
    List& list = TheList();
    if (std::find(list.entries.begin(), list.entries.end(), cadencer) == list.entries.end()) {
        list.entries.push_back(cadencer);
    }
    Application().SetFrameStep(&Step);
}

void Unregister(TGLCadencer* cadencer) {
    List& list = TheList();
    std::replace(list.entries.begin(), list.entries.end(), cadencer, static_cast<TGLCadencer*>(nullptr));
}

bool Contains(const TGLCadencer* cadencer) {
    const List& list = TheList();
    return std::find(list.entries.begin(), list.entries.end(), cadencer) != list.entries.end();
}

}  // namespace engine::asap_cadencers
