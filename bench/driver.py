#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

"""Sets each benchmark figure beside its floor's.

  driver.py reader JSON        the reader's throughput and peak memory, from bench_reader's
                               --benchmark_out JSON file
  driver.py startup BUILD_DIR  start-up of BUILD_DIR/zel-file-generator against
                               BUILD_DIR/bench/startup_floor on the X display in DISPLAY
  driver.py check BUILD_DIR    BUILD_DIR/zel-file-generator --check over 1,000 real-sized
                               files, from start to exit, with no display

The reader's report also holds --check's work in files per second, against the reader alone on
the same files.

Start-up: every run starts in a fresh, empty HOME. The driver takes the time from just before it
starts the program until the X server's MapNotify for the program's top-level window (the one
whose _NET_WM_PID is the child's) comes off its X connection; the driver waits for that event in
select(), so the figure's resolution is the scheduling of one process, well under a millisecond
on an idle machine. It then asks the window to close as a window manager does (WM_DELETE_WINDOW)
and takes the child's peak resident memory from wait4(). Under valgrind --tool=callgrind, it
has callgrind dump its counts at the map event: the instructions until the window is mapped.
Runs alternate (floor, program, program, floor, ...) so that neither side always goes first.
STARTUP_RUNS and CALLGRIND_RUNS set the runs of each side.
"""
import collections
import ctypes
import json
import os
import re
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

MAP_TIMEOUT = 300  # seconds; generous enough for a start under valgrind
EXIT_TIMEOUT = 120


def spread(values, digits=3):
    """min / median / max"""
    return " / ".join(f"{value:.{digits}f}"
                      for value in (min(values), statistics.median(values), max(values)))


def verdict(met):
    return "met" if met else "MISSED"


def reader(json_path):
    runs = collections.defaultdict(list)
    for run in json.loads(Path(json_path).read_text())["benchmarks"]:
        if run["run_type"] == "iteration":
            runs[run["run_name"].split("/iterations:")[0]].append(run)
    mib_per_second = {name: [run["bytes_per_second"] / 2**20 for run in found]
                      for name, found in runs.items() if "bytes_per_second" in found[0]}
    print(f"{'input':16} {'reader MiB/s min/med/max':28} {'floor MiB/s min/med/max':28} "
          "reader/floor (target >= 0.5)")
    for name, read in sorted(mib_per_second.items()):
        floor = mib_per_second.get(name.replace("reader/", "floor/", 1))
        if name.startswith("reader/") and floor:
            ratio = statistics.median(read) / statistics.median(floor)
            print(f"{name[7:]:16} {spread(read, 0):28} {spread(floor, 0):28} "
                  f"{ratio:.2f} {verdict(ratio >= 0.5)}")
    print(f"\n{'files':16} {'checked files/s min/med/max':28} {'read files/s min/med/max':28} "
          "checked/read")
    files_per_second = {name: [run["items_per_second"] for run in found]
                        for name, found in runs.items() if name.startswith("files-")}
    for name, checked in sorted(files_per_second.items()):
        read = files_per_second.get(name.replace("files-checked/", "files-read/", 1))
        if name.startswith("files-checked/") and read:
            print(f"{name[14:]:16} {spread(checked, 0):28} {spread(read, 0):28} "
                  f"{statistics.median(checked) / statistics.median(read):.2f}")
    print("\npeak memory growth while reading, in lines' sizes (target <= 2)")
    for name, found in sorted(runs.items()):
        if name.startswith("peak/"):
            growth = [run["peak_per_line"] for run in found]
            print(f"  {name[5:]:24} min/med/max {spread(growth)} {verdict(max(growth) <= 2)}")


class XEventHead(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p)]


class XMapEvent(ctypes.Structure):
    _fields_ = [("head", XEventHead), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("head", XEventHead), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("head", XEventHead), ("map", XMapEvent), ("client", XClientMessageEvent),
                ("pad", ctypes.c_long * 24)]


class MapWatcher:
    """Watches the display for top-level windows being mapped, through Xlib."""
    MAP_NOTIFY, CLIENT_MESSAGE, SUBSTRUCTURE_NOTIFY_MASK, XA_CARDINAL = 19, 33, 1 << 19, 6

    def __init__(self):
        x = self.x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = x.XInternAtom.restype = ctypes.c_ulong
        for name, types in {"XDefaultRootWindow": [], "XConnectionNumber": [], "XPending": [],
                            "XFlush": [], "XNextEvent": [ctypes.c_void_p],
                            "XInternAtom": [ctypes.c_char_p, ctypes.c_int],
                            "XSelectInput": [ctypes.c_ulong, ctypes.c_long],
                            "XSendEvent": [ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                           ctypes.c_void_p],
                            "XGetWindowProperty": [ctypes.c_ulong] * 2 + [ctypes.c_long] * 2 +
                            [ctypes.c_int, ctypes.c_ulong] + [ctypes.c_void_p] * 5}.items():
            getattr(x, name).argtypes = [ctypes.c_void_p] + types
        self.display = x.XOpenDisplay(None)
        if not self.display:
            sys.exit("cannot open the X display (is DISPLAY set?)")
        # A window may be gone by the time its properties are read; that only means it is not ours.
        self.ignore_errors = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda display, error: 0)
        x.XSetErrorHandler(self.ignore_errors)
        self.root = x.XDefaultRootWindow(self.display)
        self.atoms = {name: x.XInternAtom(self.display, name.encode(), 0)
                      for name in ("_NET_WM_PID", "WM_PROTOCOLS", "WM_DELETE_WINDOW")}
        x.XSelectInput(self.display, self.root, self.SUBSTRUCTURE_NOTIFY_MASK)
        x.XFlush(self.display)

    def pid_of(self, window):
        kind, format_, count, left = (ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(),
                                      ctypes.c_ulong())
        data = ctypes.POINTER(ctypes.c_ulong)()
        if self.x.XGetWindowProperty(self.display, window, self.atoms["_NET_WM_PID"], 0, 1, 0,
                                     self.XA_CARDINAL, ctypes.byref(kind), ctypes.byref(format_),
                                     ctypes.byref(count), ctypes.byref(left),
                                     ctypes.byref(data)) != 0 or not data:
            return 0
        pid = data[0] if count.value == 1 else 0
        self.x.XFree(data)
        return pid

    def wait_for_window_of(self, pid, pid_fd):
        """The window of process pid and when its map event came; None if the process ended."""
        deadline = time.monotonic() + MAP_TIMEOUT
        event = XEvent()
        while True:
            # Xlib may hold events read during an earlier reply, so its queue goes first.
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, ctypes.byref(event))
                at = time.monotonic()
                if (event.head.type == self.MAP_NOTIFY and event.map.event == self.root
                        and self.pid_of(event.map.window) == pid):
                    return event.map.window, at
            ready, _, _ = select.select([self.x.XConnectionNumber(self.display), pid_fd], [], [],
                                        max(0, deadline - time.monotonic()))
            if not ready:
                sys.exit("timed out waiting for the window")
            if pid_fd in ready:
                return None

    def request_close(self, window):
        event = XEvent()
        event.client.head.type = self.CLIENT_MESSAGE
        event.client.window = window
        event.client.message_type = self.atoms["WM_PROTOCOLS"]
        event.client.format = 32
        event.client.data[0] = self.atoms["WM_DELETE_WINDOW"]
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)


def run_once(watcher, command, log, on_mapped=lambda pid: None):
    """Milliseconds until the window of command was mapped, and its peak resident KiB."""
    with tempfile.TemporaryDirectory(prefix="startup-home-") as home:
        environment = {name: value for name, value in os.environ.items()
                       if not name.startswith("XDG_")}
        environment.update(HOME=home, QT_QPA_PLATFORM="xcb")
        start = time.monotonic()
        pid = os.posix_spawnp(command[0], command, environment, file_actions=[
            (os.POSIX_SPAWN_DUP2, log.fileno(), 1), (os.POSIX_SPAWN_DUP2, log.fileno(), 2)])
        pid_fd = os.pidfd_open(pid)
        try:
            mapped = watcher.wait_for_window_of(pid, pid_fd)
            if not mapped:
                sys.exit(f"{command[-1]} exited before its window was mapped")
            on_mapped(pid)
            watcher.request_close(mapped[0])
            if not select.select([pid_fd], [], [], EXIT_TIMEOUT)[0]:
                sys.exit(f"{command[-1]} did not close")
        finally:
            if not select.select([pid_fd], [], [], 0)[0]:
                os.kill(pid, signal.SIGKILL)
            os.close(pid_fd)
            _, status, usage = os.wait4(pid, 0)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"{command[-1]} did not exit cleanly; see {log.name}")
        return (mapped[1] - start) * 1000, usage.ru_maxrss


def interleaved(pairs):
    """(side, pair) with floor (0) and program (1) taking turns at going first."""
    for pair in range(pairs):
        for turn in (0, 1):
            yield (turn if pair % 2 == 0 else 1 - turn), pair


def compare(title, floor, program, target):
    print(f"{title}, {len(floor)} runs each\n  {'':8} min / median / max")
    print(f"  floor    {spread(floor)}\n  program  {spread(program)}")
    paired = [p / f for f, p in zip(floor, program)]
    ratio = statistics.median(paired)
    print(f"  program/floor: medians {statistics.median(program) / statistics.median(floor):.3f}; "
          f"paired {ratio:.3f} ({min(paired):.3f} to {max(paired):.3f}); "
          f"target <= {target:.2f} {verdict(ratio <= target)}\n")


def self_costs(profile):
    """Instructions by function, each function's own, from a callgrind profile."""
    report = subprocess.run(["callgrind_annotate", "--inclusive=no", "--threshold=100", profile],
                            capture_output=True, text=True, check=True).stdout
    costs = collections.Counter()
    for line in report.split("file:function", 1)[1].splitlines()[2:]:
        # The same function may be charged to another library in the other profile.
        found = re.match(r" *([\d,]+) \( *[\d.]+%\)  (.*?)(?: \[[^]]*\])?$", line)
        if found:
            costs[found[2]] += int(found[1].replace(",", ""))
    return costs


def startup(build_dir):
    build = Path(build_dir).resolve()
    programs = (str(build / "bench/startup_floor"), str(build / "zel-file-generator"))
    out = build / "startup-profiles"
    out.mkdir(exist_ok=True)
    runs, callgrind_runs = (int(os.environ.get(name, default)) for name, default in
                            (("STARTUP_RUNS", 20), ("CALLGRIND_RUNS", 3)))
    watcher = MapWatcher()
    print(f"floor:   {programs[0]}\nprogram: {programs[1]}\n")
    with open(out / "programs.log", "w") as log, open(out / "startup-runs.csv", "w") as csv:
        # The first start of each reads the libraries from disk; later ones find them cached.
        for program in programs:
            run_once(watcher, [program], log)
        figures = [([], []), ([], [])]  # time and memory, each floor's and program's
        csv.write("pair,side,milliseconds,peak KiB\n")
        for side, pair in interleaved(runs):
            milliseconds, peak = run_once(watcher, [programs[side]], log)
            csv.write(f"{pair},{('floor', 'program')[side]},{milliseconds:.3f},{peak}\n")
            figures[0][side].append(milliseconds)
            figures[1][side].append(peak / 1024)
        compare("start-up until the window is mapped (ms)", *figures[0], 1.05)
        compare("peak resident memory (MiB)", *figures[1], 1.03)
        if callgrind_runs < 1:
            return
        instructions = ([], [])
        for side, pair in interleaved(callgrind_runs):
            profile = out / f"callgrind.{('floor', 'program')[side]}.{pair}"
            run_once(watcher, ["valgrind", "--tool=callgrind", f"--callgrind-out-file={profile}",
                               programs[side]], log,
                     lambda pid: subprocess.run(["callgrind_control", "--dump=mapped", str(pid)],
                                                stdout=log, stderr=log, check=True))
            # The dump asked for at the map event goes beside the profile, with ".1" appended.
            summary = re.search(r"^summary: (\d+)", Path(f"{profile}.1").read_text(), re.M)
            instructions[side].append(int(summary[1]) / 1e6)
    compare("instructions until the window is mapped (millions)", *instructions, 1.05)
    print(f"profiles until the window is mapped: {out}/callgrind.{{floor,program}}.N.1\n")
    print("--- instructions until mapped, program minus floor, by function (most, then least)")
    difference = self_costs(f"{out}/callgrind.program.0.1")
    difference.subtract(self_costs(f"{out}/callgrind.floor.0.1"))
    ranked = sorted(((cost, name) for name, cost in difference.items() if cost), reverse=True)
    for cost, name in ranked[:20] + [(None, "...")] + ranked[-5:]:
        print(f"{'' if cost is None else cost:>12}  {name}")


def check(build_dir):
    program = str(Path(build_dir).resolve() / "zel-file-generator")
    example = (Path(__file__).parent.parent / "tests/data/settingfiles/line1.zel").read_bytes()
    runs = int(os.environ.get("CHECK_RUNS", 20))
    with tempfile.TemporaryDirectory() as folder:
        paths = []
        for index in range(1000):
            paths.append(str(Path(folder) / f"device-{index}.zel"))
            Path(paths[-1]).write_bytes(example)
        environment = {name: value for name, value in os.environ.items()
                       if name not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        environment["HOME"] = folder
        seconds = []
        # The first run brings the program and the files into the cache.
        for _ in range(runs + 1):
            start = time.perf_counter()
            done = subprocess.run([program, "--check", *paths], env=environment,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            seconds.append(time.perf_counter() - start)
            if done.returncode != 0 or done.stdout.count(b": ok: ") != len(paths):
                sys.exit(f"--check gave exit status {done.returncode} for {len(paths)} files")
    median = statistics.median(seconds[1:])
    print(f"--check over {len(paths)} real-sized files, whole program, {runs} runs: "
          f"wall seconds min/med/max {spread(seconds[1:])}, {len(paths) / median:.0f} files/s; "
          f"target < 1 s {verdict(median < 1)}")


if __name__ == "__main__":
    commands = {"reader": reader, "startup": startup, "check": check}
    if len(sys.argv) != 3 or sys.argv[1] not in commands:
        sys.exit(__doc__)
    commands[sys.argv[1]](sys.argv[2])
