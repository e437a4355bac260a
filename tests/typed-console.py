#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

"""Types command lines at Wine's cmd as a person does, and prints what the console shows.

Runs "wine cmd" on a terminal of its own, waits for its prompt and a moment more, types each
LINE given a key at a time and presses Enter, and ends with "exit". Not a batch file: cmd
reads the lines from its console, so it waits for a program as it does for one typed there.
The screen is then printed as the console drew it, its cursor movements played, one line a
row.
"""

import fcntl
import os
import pty
import re
import select
import struct
import sys
import termios
import time

WIDTH = 200
# An operating-system command (the title), a cursor movement or mode, a character set, a line
# end, or text.
CONTROL = re.compile(
    rb"\x1b\][^\x07]*\x07|\x1b\[([?0-9;]*)([a-zA-Z])|\x1b[()][0-9A-Za-z]|[\r\n]|[^\x1b\r\n]+"
)


def screen_of(raw):
    """The rows that the console's output draws, its cursor movements played."""
    rows, row, col = [""], 0, 0
    for match in CONTROL.finditer(raw):
        token = match.group(0)
        if match.group(2):
            count = int(match.group(1)) if match.group(1).isdigit() else 1
            letter = match.group(2).decode()
            row = max(0, row - count) if letter == "A" else row + count if letter == "B" else row
            col = col + count if letter == "C" else max(0, col - count) if letter == "D" else col
            if letter == "K":
                rows[row] = rows[row][:col]
        elif token == b"\r":
            col = 0
        elif token == b"\n":
            row += 1
        elif not token.startswith(b"\x1b"):
            text = token.decode("utf-8", "replace")
            while len(rows) <= row:
                rows.append("")
            line = rows[row].ljust(col)
            rows[row] = line[:col] + text + line[col + len(text):]
            col += len(text)
        while len(rows) <= row:
            rows.append("")
    return [line.rstrip() for line in rows]


def main(lines):
    pid, fd = pty.fork()
    if pid == 0:
        fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 50, WIDTH, 0, 0))
        os.execvp("wine", ["wine", "cmd"])
    raw = b""

    def read(seconds):
        nonlocal raw
        end = time.time() + seconds
        while time.time() < end:
            if select.select([fd], [], [], 0.1)[0]:
                try:
                    raw += os.read(fd, 65536)
                except OSError:
                    return

    def prompts():
        return sum(1 for row in screen_of(raw) if re.match(r"[A-Z]:\\[^>]*>", row))

    def wait_for_prompt(count):
        end = time.time() + 60
        while prompts() < count:
            if time.time() > end:
                sys.exit("typed-console: no prompt; the console shows:\n" + "\n".join(screen_of(raw)))
            read(0.2)
        read(2)  # a person's moment, in which what comes after the prompt shows too

    wait_for_prompt(1)
    for count, line in enumerate(lines + ["exit"], start=2):
        for key in line:
            os.write(fd, key.encode())
            time.sleep(0.03)
        os.write(fd, b"\r")
        if line != "exit":
            wait_for_prompt(count)
    read(5)
    os.waitpid(pid, 0)
    print("\n".join(screen_of(raw)))


if __name__ == "__main__":
    main(sys.argv[1:])
