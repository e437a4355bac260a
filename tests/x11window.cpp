// Finds the program's window on an X display and asks it to close the way a window manager
// does (WM_DELETE_WINDOW), for the end-to-end test under Xvfb.
//   x11window wait  TITLE SECONDS   waits until a window titled TITLE is mapped
//   x11window close TITLE           sends it the close request
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string titleOf(Display *display, Window window)
{
    XTextProperty property{};
    std::string title;
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    if (XGetTextProperty(display, window, &property, netName) ||
        XGetWMName(display, window, &property)) {
        if (property.value) {
            title.assign(reinterpret_cast<const char *>(property.value), property.nitems);
            XFree(property.value);
        }
    }
    return title;
}

Window findMapped(Display *display, const std::string &title)
{
    Window root = DefaultRootWindow(display);
    Window parent = 0;
    Window *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, children[i], &attributes) &&
                attributes.map_state == IsViewable && titleOf(display, children[i]) == title) {
                found = children[i];
            }
        }
        XFree(children);
    }
    return found;
}

bool waitForWindow(Display *display, const std::string &title, double seconds)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!findMapped(display, title)) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, int(std::min<long long>(left.count(), 100)));
    }
    return true;
}

bool sendClose(Display *display, const std::string &title)
{
    const Window window = findMapped(display, title);
    if (!window) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || argc < 3) {
        std::fprintf(stderr, "usage: x11window wait TITLE SECONDS | close TITLE (needs DISPLAY)\n");
        return 2;
    }
    const std::string command = argv[1];
    bool done = false;
    if (command == "wait" && argc == 4) {
        done = waitForWindow(display, argv[2], std::atof(argv[3]));
    } else if (command == "close") {
        done = sendClose(display, argv[2]);
    }
    XCloseDisplay(display);
    return done ? 0 : 1;
}
