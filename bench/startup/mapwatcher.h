#pragma once

#include <X11/Xlib.h>

#include <sys/types.h>

#include <chrono>
#include <optional>

// Watches an X display for top-level windows being mapped, and asks a window to close the way
// a window manager does. Events come from the server; nothing here polls on a timer.
class MapWatcher
{
public:
    MapWatcher();
    ~MapWatcher();
    MapWatcher(const MapWatcher &) = delete;
    MapWatcher &operator=(const MapWatcher &) = delete;

    // The connection's descriptor, readable when the server has sent something.
    int descriptor() const;
    struct Mapped {
        Window window;
        // When its map event was taken off the connection.
        std::chrono::steady_clock::time_point at;
    };
    // Takes the events received so far, up to the first map of a top-level window of the
    // process pid.
    std::optional<Mapped> takeMappedWindowOf(pid_t pid);
    void requestClose(Window window);

private:
    pid_t pidOf(Window window);

    Display *m_display;
    Atom m_netWmPid;
    Atom m_wmProtocols;
    Atom m_wmDeleteWindow;
};
