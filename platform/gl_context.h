// Whether the calling thread has a current GL context. Size events can come before the
// context exists and shutdown can come after it is gone; GL calls then must not be made.
#pragma once

bool GlContextIsCurrent();
