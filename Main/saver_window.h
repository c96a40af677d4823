// The full-screen saver window: borderless, black, topmost over the primary
// screen; the drawing thread draws on it; keys, buttons and quick pointer
// movement ask to close it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "pattern.h"

namespace vireska {

// Stores the resume position ("continueat") when the saver closes by itself.
using StorePosition = std::function<void(int32_t stepCounter)>;

// Creates the window (owned by `owner`), with its system window made before
// it returns; shown, it starts drawing. Returns 0 on failure.
HWND CreateSaverWindow(HWND owner, PatternSettings& settings, StorePosition store);

// Four pointer events within one clock second end the saver.
class PointerCounter {
public:
    // `second` is the time of day to the second; true when the saver should close.
    bool Event(int32_t second);

private:
    int32_t MoveCount = 0;
    int32_t MoveSecond = -1;
};

}  // namespace vireska
