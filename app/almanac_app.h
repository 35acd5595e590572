#pragma once

// The program: one copy per user session, then the calendar window until the user ends it.
class AlmanacApp {
public:
    // Returns the process's exit code (0 also for a second copy, which only shows a message).
    int Run();
};
