#include "engine/platform/cursor_table.h"

#include "engine/platform/sdl_video.h"

#include <SDL.h>

namespace engine {

void CursorTable::CursorDeleter::operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }

CursorTable::CursorTable() {
    // Held for the table's life: SDL frees every cursor when video shuts down, which must not happen
    // before the table has freed its own.
    m_videoInitialised = AcquireSdlVideo();
}

CursorTable::~CursorTable() {
    SDL_SetCursor(SDL_GetDefaultCursor());
    m_slots.clear();
    if (m_videoInitialised) {
        ReleaseSdlVideo();
    }
}

bool CursorTable::LoadFromFile(int slot, const std::string& path) {
    try {
        Assign(slot, LoadCursorFile(path));
        m_lastError.clear();
        return true;
    } catch (const ECursorError& error) {
        m_lastError = error.what();
        return false;
    }
}

void CursorTable::Assign(int slot, const CursorFile& cursor) {
    if (!m_videoInitialised) {
        throw ECursorError(std::string("Cursors need a display: ") + SDL_GetError());
    }
    Slot made;
    for (const CursorImage& image : cursor.frames) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(image.rgba.data()),
                                                                  image.width, image.height, 32, image.width * 4,
                                                                  SDL_PIXELFORMAT_RGBA32);
        SDL_Cursor* handle =
            surface ? SDL_CreateColorCursor(surface, image.hotspotX, image.hotspotY) : nullptr;
        SDL_FreeSurface(surface);
        if (!handle) {
            throw ECursorError(std::string("The system refused a cursor picture: ") + SDL_GetError());
        }
        made.frames.emplace_back(handle);
    }
    made.animation = CursorAnimation(cursor.sequence, cursor.ratesJiffies);
    const auto now = CursorClock::now();
    m_slots[slot] = std::move(made);
    if (slot == m_selected) {
        Show(now);
    }
}

void CursorTable::Select(int slot, CursorClock::time_point now) {
    if (slot == m_selected) {
        return;
    }
    m_selected = slot;
    Show(now);
}

void CursorTable::Show(CursorClock::time_point now) {
    const auto found = m_slots.find(m_selected);
    if (found == m_slots.end()) {
        SDL_SetCursor(SDL_GetDefaultCursor());
        return;
    }
    found->second.animation.Restart(now);
    SDL_SetCursor(found->second.frames[found->second.animation.Frame()].get());
}

void CursorTable::Update(CursorClock::time_point now) {
    const auto found = m_slots.find(m_selected);
    if (found != m_slots.end() && found->second.animation.Update(now)) {
        SDL_SetCursor(found->second.frames[found->second.animation.Frame()].get());
    }
}

std::uint32_t CursorTable::ShownFrame() const {
    const auto found = m_slots.find(m_selected);
    return found == m_slots.end() ? 0 : found->second.animation.Frame();
}

}  // namespace engine
