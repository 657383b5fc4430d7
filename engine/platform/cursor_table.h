#pragma once

#include "engine/platform/cursor_animation.h"
#include "engine/platform/cursor_file.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct SDL_Cursor;

namespace engine {

// The application's cursors in numbered slots, as SDL colour cursors. Selecting a slot shows its cursor;
// the main loop calls Update so that an animated cursor changes frames at its file's rates.
class CursorTable {
public:
    CursorTable();
    ~CursorTable();
    CursorTable(const CursorTable&) = delete;
    CursorTable& operator=(const CursorTable&) = delete;

    // Loads a cursor file into a slot. A file that cannot be loaded is no error for the program: the
    // slot keeps what it had, false is returned and LastError tells why.
    bool LoadFromFile(int slot, const std::string& path);
    // Puts a cursor into a slot; throws ECursorError when the system refuses one of its pictures.
    void Assign(int slot, const CursorFile& cursor);
    bool Has(int slot) const { return m_slots.count(slot) != 0; }
    const std::string& LastError() const { return m_lastError; }

    // Shows the cursor of a slot, or the system's arrow for an empty slot. Selecting the slot that is
    // already shown changes nothing, so its animation runs on.
    void Select(int slot, CursorClock::time_point now = CursorClock::now());
    int Selected() const { return m_selected; }
    // Switches the shown cursor to the frame due at now.
    void Update(CursorClock::time_point now = CursorClock::now());
    // The frame of the shown slot's cursor that is on screen.
    std::uint32_t ShownFrame() const;

private:
    struct CursorDeleter {
        void operator()(SDL_Cursor* cursor) const;
    };
    struct Slot {
        std::vector<std::unique_ptr<SDL_Cursor, CursorDeleter>> frames;
        CursorAnimation animation;
    };

    void Show(CursorClock::time_point now);

    std::map<int, Slot> m_slots;
    int m_selected = 0;
    bool m_videoInitialised = false;
    std::string m_lastError;
};

}  // namespace engine
