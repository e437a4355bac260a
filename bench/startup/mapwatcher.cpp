#include "mapwatcher.h"

#include <X11/Xatom.h>

#include <stdexcept>

namespace
{

// A window may be gone by the time its properties are read; that only means it is not ours.
int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

MapWatcher::MapWatcher() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display) {
        throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    }
    XSetErrorHandler(ignoreError);
    m_netWmPid = XInternAtom(m_display, "_NET_WM_PID", False);
    m_wmProtocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
    m_wmDeleteWindow = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    XSync(m_display, False);
}

MapWatcher::~MapWatcher()
{
    XCloseDisplay(m_display);
}

int MapWatcher::descriptor() const
{
    return ConnectionNumber(m_display);
}

std::optional<MapWatcher::Mapped> MapWatcher::takeMappedWindowOf(pid_t pid)
{
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        const auto at = std::chrono::steady_clock::now();
        // With SubstructureNotify on the root, a MapNotify whose event window is the root
        // reports a top-level window.
        if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(m_display) &&
            pidOf(event.xmap.window) == pid) {
            return Mapped{event.xmap.window, at};
        }
    }
    return std::nullopt;
}

void MapWatcher::requestClose(Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = m_wmProtocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(m_wmDeleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}

pid_t MapWatcher::pidOf(Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char *data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(m_display, window, m_netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &left, &data) == Success &&
        data) {
        if (type == XA_CARDINAL && format == 32 && count == 1) {
            pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long *>(data));
        }
        XFree(data);
    }
    return pid;
}
