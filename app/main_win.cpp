// The program's entry point. The command line is not read.
#include "app/almanac_app.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    AlmanacApp app;
    return app.Run();
}
