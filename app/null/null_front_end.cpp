#include "app/null/null_front_end.h"

#include "app/shell.h"
#include "platform/null/null_platform.h"

bool NullFrontEnd::OpenDisplay(DisplayArea*, WindowFailure*)
{
    return true;
}

bool NullFrontEnd::OpenWindow(const WindowRequest& asked, WindowFailure*)
{
    request = asked;
    return true;
}

void NullFrontEnd::LimitWindow(const WindowLimits& given)
{
    limits = given;
}

void NullFrontEnd::ShowWindow() {}

void NullFrontEnd::DrawableSize(int* width, int* height)
{
    *width = request.width;
    *height = request.height;
}

std::vector<WindowFailure> NullFrontEnd::CloseWindow()
{
    return {};
}

bool NullFrontEnd::DispatchOneEvent()
{
    if (events.empty())
        return false;
    Event record = events.front();
    events.pop_front();
    HandleEvent(record);
    return true;
}

void NullFrontEnd::Present()
{
    // Free presenting leaves the time alone, ticks set by hand included.
    if (presentTicks > 0)
        AdvanceFakeTime(presentTicks);
}

void NullFrontEnd::ToggleFullScreen()
{
    ++fullScreenToggles;
}

bool NullFrontEnd::PostQuit()
{
    if (refuseQuit)
        return false;
    Event quit;
    quit.kind = Event::Kind::Quit;
    events.push_back(quit);
    return true;
}
