// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the colours of a rectangle of an X11 window, one pixel a line as RRGGBB, row by
// row, so that end-to-end scripts can check what the program shows without a screenshot
// tool. The window must be unobscured (raise it first).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: xpixels WINDOW-ID X Y WIDTH HEIGHT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xpixels: cannot open the display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "xpixels: cannot read the window\n");
        XCloseDisplay(display);
        return 1;
    }
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            std::printf("%06lx\n", XGetPixel(image, column, row) & 0xFFFFFFUL);
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
