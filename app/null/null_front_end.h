// The null front end: the seam of app/front_end.h with no window system behind it. Its
// events are records from a script, its time the null platform's, and presenting a frame
// costs scripted time. The shell tests and the snapshot tool run the game's own loop on it.
#pragma once

#include <cstdint>
#include <deque>

#include "app/front_end.h"

class NullFrontEnd : public FrontEnd {
public:
    bool OpenDisplay(DisplayArea* display, WindowFailure* failure) override;
    bool OpenWindow(const WindowRequest& request, WindowFailure* failure) override;
    void LimitWindow(const WindowLimits& limits) override;
    void ShowWindow() override;
    void DrawableSize(int* width, int* height) override;
    std::vector<WindowFailure> CloseWindow() override;
    // Hands the front record of events to HandleEvent.
    bool DispatchOneEvent() override;
    // Moves the null platform's time on by presentTicks (AdvanceFakeTime), if any.
    void Present() override;
    void ToggleFullScreen() override;
    // Queues a Quit record behind the events, unless refuseQuit.
    bool PostQuit() override;

    std::deque<Event> events;
    uint64_t presentTicks = 0;   // counter ticks that presenting a frame costs
    bool refuseQuit = false;     // as a full queue would
    int fullScreenToggles = 0;
    WindowRequest request;       // the last window asked for
    WindowLimits limits;         // the last limits given
};
