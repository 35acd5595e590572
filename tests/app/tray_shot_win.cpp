// The notification-area icon's picture of a day at 96, 144 and 192 DPI, light and dark, as raw RGBA
// files with their sizes on stdout, for tests/app/tray.sh to turn into PNGs.
//   lunoria-tray-shot DAY FOLDER
#include "app/tray_picture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const int day = _wtoi(argv[1]);
    char folder[1024];
    std::snprintf(folder, sizeof folder, "%ls", argv[2]);
    for (int dpi : {96, 144, 192})
        for (bool light : {true, false}) {
            const int size = TrayIconSize(dpi);
            const std::string name = "tray-" + std::to_string(dpi) + (light ? "-light" : "-dark");
            FILE* out = std::fopen((std::string(folder) + "/" + name + ".rgba").c_str(), "wb");
            if (!out) return 1;
            for (uint32_t p : DayPicture(day, size, light)) {
                const unsigned char rgba[4] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                               static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)};
                std::fwrite(rgba, 1, 4, out);
            }
            std::fclose(out);
            std::printf("%s %d\n", name.c_str(), size);
        }
    return 0;
}
