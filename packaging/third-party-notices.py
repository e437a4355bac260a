#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

"""Writes THIRD-PARTY-NOTICES.txt for the Windows package: Qt, every third-party component
compiled into the Qt libraries that ship (from the qt_attribution.json files of the Qt source
that was built, matched against the files each library was made of), and MinGW-w64's run-time
DLLs with the start-up code linked into every program and DLL (from the copyright files of the
Debian packages that hold them), each with its version and licence, then the full texts.

Its input for Qt is what scripts/keep-qt-notices.sh kept from the Qt build."""

import argparse
import json
import os
import re
import subprocess
import sys
import textwrap
from pathlib import Path

RULE = "=" * 78


def fail(message):
    sys.exit(f"third-party-notices: {message}")


def read_text(path):
    return Path(path).read_text(encoding="utf-8", errors="replace").rstrip() + "\n"


def compiled_files(qt, libraries):
    files = set()
    for library in libraries:
        listing = qt / "compiled" / f"{library}.txt"
        if not listing.is_file():
            fail(f"{listing} is missing: was the Qt for Windows built by scripts/build-windows.sh?")
        files.update(line for line in listing.read_text().splitlines() if line)
    return files


def attributions(source):
    """Each entry of every qt_attribution.json, with the folder it lies in."""
    for path in sorted(source.rglob("qt_attribution.json")):
        # Qt's attribution files keep line breaks inside strings, which strict JSON refuses.
        data = json.loads(path.read_text(encoding="utf-8"), strict=False)
        for entry in data if isinstance(data, list) else [data]:
            yield path.parent.relative_to(source), entry


def covered(folder, entry, compiled):
    """Whether any file the entry speaks for went into the libraries. Path names a file or a
    folder (the attribution's own folder when absent); Files narrows it to some files in it."""
    base = os.path.normpath(folder / entry.get("Path", "."))
    names = [name for name in re.split(r"[\s,]+", entry.get("Files", "")) if name]
    if names:
        return any(os.path.normpath(f"{base}/{name}") in compiled for name in names)
    return any(file == base or file.startswith(base + "/") for file in compiled)


class Texts:
    """The licence texts, each written once at the end and named by its number."""

    def __init__(self):
        self.texts = []

    def add(self, title, text):
        for number, (_, known) in enumerate(self.texts, 1):
            if known.split() == text.split():  # the same words, however laid out
                return f"T{number}"
        self.texts.append((title, text))
        return f"T{len(self.texts)}"


def qt_components(qt, libraries, texts):
    source = qt / "source"
    compiled = compiled_files(qt, libraries)
    components = []
    for folder, entry in attributions(source):
        if not covered(folder, entry, compiled):
            continue
        name = entry.get("Name", entry["Id"])
        licence_file = entry.get("LicenseFile")
        text = None
        if licence_file:
            path = source / os.path.normpath(folder / licence_file)
            text = f"[{texts.add(f'{name}: {licence_file}', read_text(path))}], at the end"
        components.append({
            "name": name,
            "version": entry.get("Version", ""),
            "licence": entry.get("LicenseId") or entry.get("License", "not given"),
            "details": [
                ("Licence", entry.get("License", "")),
                ("Copyright", entry.get("Copyright", "")),
                ("Used", entry.get("QtUsage", "")),
                ("Source", entry.get("DownloadLocation") or entry.get("Homepage", "")),
                ("Licence text", text or "none given; the licence above is the whole of it"),
            ],
        })
    if not components:
        fail("no third-party component of Qt matches the files compiled: is the kept list empty?")
    return sorted(components, key=lambda component: component["name"].casefold())


def debian_stanza(copyright_text, files):
    """The stanza of a machine-readable Debian copyright file whose Files field is `files`."""
    for stanza in copyright_text.split("\n\n"):
        if re.match(rf"Files:\s*{re.escape(files)}\s*\n", stanza):
            return stanza
    return ""


def qt_section(qt, libraries, texts):
    version = read_text(qt / "qt-source-version.txt").strip()
    upstream = upstream_version(version)
    licences = qt / "source" / "LICENSES"
    lgpl = texts.add("GNU Lesser General Public License version 3",
                     read_text(licences / "LGPL-3.0-only.txt"))
    gpl = texts.add("GNU General Public License version 3", read_text(licences / "GPL-3.0-only.txt"))
    copyright = re.search(r"^Copyright:\s*(.*)$",
                          debian_stanza(read_text(qt / "source" / "debian" / "copyright"), "*"),
                          re.MULTILINE)
    if not copyright:
        fail("debian/copyright of the Qt source has no Copyright for Files: *")
    return {
        "name": "Qt",
        "version": upstream,
        "licence": "LGPL-3.0-only",
        "details": [
            ("Files", ", ".join(f"{name} (in the program)" if name.endswith(".a") else name
                                for name in libraries)),
            ("Copyright", copyright.group(1)),
            ("Licence", "GNU Lesser General Public License version 3 (LGPL-3.0-only), which "
                        "adds its permissions to the GNU General Public License version 3"),
            ("Source", f"Debian's source package qt6-base {version} (apt-get source "
                       f"qt6-base={version}, or snapshot.debian.org), built for Windows by "
                       "scripts/build-windows.sh in this program's source, which rebuilds these "
                       "DLLs; any build of that Qt version may replace them"),
            ("Licence text", f"[{lgpl}] and [{gpl}], at the end"),
        ],
    }


def debian_package(path):
    found = subprocess.run(["dpkg", "-S", os.path.realpath(path)], capture_output=True, text=True)
    if found.returncode != 0:
        fail(f"no Debian package holds {path}")
    package = found.stdout.split(":")[0]
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True,
                             text=True, check=True).stdout
    return package, version


def upstream_version(debian_version):
    """6.4.2 of 6.4.2+dfsg-10, 12.2.0 of 12.2.0-14+deb12u1+25.2+b1."""
    return re.split(r"[+~-]", debian_version)[0]


def between(text, first, last):
    start = text.find(first)
    end = text.find(last, start)
    if start < 0 or end < 0:
        fail(f"the GCC copyright file no longer has '{first}' ... '{last}'")
    return text[start:end + len(last)].strip() + "\n"


def gcc_runtime_section(dlls, package, version, copyright_text, texts):
    """GCC's run-time libraries: its statement of which libraries carry the Runtime Library
    Exception, the exception, and the GPL it is an exception to."""
    statement = between(copyright_text, "GCC is Copyright", "- libvtv")
    exception = between(copyright_text, "GCC RUNTIME LIBRARY EXCEPTION",
                        "requirements of the license of GCC.")
    gpl = texts.add("GNU General Public License version 3",
                    read_text("/usr/share/common-licenses/GPL-3"))
    return {
        "name": "GCC run-time libraries (MinGW-w64)",
        "version": upstream_version(version),
        "licence": "GPL-3.0-or-later WITH GCC-exception-3.1",
        "details": [
            ("Files", ", ".join(dlls)),
            ("Copyright", statement),
            ("Exception", exception),
            ("Source", f"Debian's package {package} {version}"),
            ("Licence text", f"[{gpl}], at the end"),
        ],
    }


def mingw_runtime_section(dlls, package, version, copyright_text):
    """MinGW-w64's winpthreads and the C run-time start-up code that every program and DLL
    links: the stanzas of Debian's copyright file for those folders, and the licences they
    name."""
    stanzas = copyright_text.strip().split("\n\n")
    shipped = re.compile(r"^(\*|mingw-w64-crt/.*|mingw-w64-libraries/winpthreads/(?!tests).*)$")
    chosen, names = [], []
    for stanza in stanzas:
        files = re.match(r"Files:((?:.*\n?)(?:[ \t]+.*\n?)*)", stanza)
        if files and any(shipped.match(name) for name in files.group(1).split()):
            chosen.append(stanza)
            licence = re.search(r"^License:\s*(.+)$", stanza, re.MULTILINE).group(1)
            names += [name for name in re.split(r"\s+(?:and|or)\s+", licence) if name not in names]
    for stanza in stanzas:
        licence = re.match(r"License:\s*(.+)\n", stanza)
        if licence and licence.group(1).strip() in names:
            chosen.append(stanza)
    if not chosen:
        fail("the MinGW-w64 copyright file has no stanza for winpthreads or the C run time")
    return {
        "name": "MinGW-w64 run time (winpthreads, C run-time start-up code)",
        "version": upstream_version(version),
        "licence": ", ".join(names),
        "details": [
            ("Files", ", ".join(dlls) + ", and the start-up code in every program and DLL"),
            ("Source", f"Debian's package {package} {version}"),
            ("Copyright and licences", "\n\n".join(chosen) + "\n"),
        ],
    }


def qt_translations_section(files, texts):
    """Qt's own translations, which ship beside the program's: the copyright and licence of the
    Debian package they come from (its stanza for all files, and the licences that names)."""
    (package, version), = {debian_package(file) for file in files}
    source = subprocess.run(["dpkg-query", "-W", "-f=${source:Package}", package],
                            capture_output=True, text=True, check=True).stdout
    copyright_text = read_text(f"/usr/share/doc/{package}/copyright")
    stanza = debian_stanza(copyright_text, "*")
    licence = re.search(r"^License:\s*(.+)$", stanza, re.MULTILINE)
    if not licence:
        fail(f"the copyright file of {package} has no licence for Files: *")
    terms = [part for part in copyright_text.split("\n\n")
             if part.startswith(f"License: {licence.group(1).strip()}\n")]
    details = [
        ("Files", ", ".join(f"translations/{os.path.basename(file)}" for file in sorted(files))),
        ("Source", f"Debian's source package {source} {version} (apt-get source "
                   f"{source}={version}, or snapshot.debian.org)"),
        ("Copyright and licence", "\n\n".join([stanza] + terms) + "\n"),
    ]
    if "common-licenses/GPL-3" in "".join(terms):
        gpl = texts.add("GNU General Public License version 3",
                        read_text("/usr/share/common-licenses/GPL-3"))
        details.append(("Licence text", f"[{gpl}], at the end"))
    return {"name": "Qt's translations", "version": upstream_version(version),
            "licence": licence.group(1).strip(), "details": details}


def runtime_sections(dlls, texts):
    by_package = {}
    for dll in dlls:
        by_package.setdefault(debian_package(dll), []).append(os.path.basename(dll))
    sections = []
    for (package, version), names in sorted(by_package.items()):
        copyright_text = read_text(f"/usr/share/doc/{package}/copyright")
        if "GCC RUNTIME LIBRARY EXCEPTION" in copyright_text:
            sections.append(gcc_runtime_section(names, package, version, copyright_text, texts))
        elif copyright_text.startswith("Format:"):
            sections.append(mingw_runtime_section(names, package, version, copyright_text))
        else:
            fail(f"the copyright file of {package} is not one this script knows")
    return sections


def indented(text, prefix="    "):
    return "".join(prefix + line if line.strip() else "\n" for line in text.splitlines(True))


def block(component):
    lines = [f"{component['name']} {component['version']}".strip(), "-" * 78]
    for label, value in component["details"]:
        if not value:
            continue
        if "\n" in value.strip():
            lines.append(f"{label}:")
            lines.append(indented(value.strip() + "\n").rstrip("\n"))
        else:
            lines.append(textwrap.fill(f"{label}: {value}", width=78, subsequent_indent="    ",
                                       break_long_words=False, break_on_hyphens=False))
    return "\n".join(lines) + "\n"


def summary(components):
    return "".join(textwrap.fill(f"- {c['name']}{', ' + c['version'] if c['version'] else ''}: "
                                 f"{c['licence']}", width=78, initial_indent="  ",
                                 subsequent_indent="      ", break_on_hyphens=False) + "\n"
                   for c in components)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the program's name and version")
    parser.add_argument("--qt", required=True, type=Path, help="what keep-qt-notices.sh kept")
    parser.add_argument("--qt-library", action="append", required=True,
                        help="a Qt DLL or static library that ships (its file name)")
    parser.add_argument("--qt-translation", action="append", default=[],
                        help="a translation of Qt's own that ships (its path)")
    parser.add_argument("--runtime", action="append", required=True,
                        help="a MinGW-w64 run-time DLL that ships (its path)")
    parser.add_argument("--output", required=True, type=Path)
    arguments = parser.parse_args()

    texts = Texts()
    qt = qt_section(arguments.qt, arguments.qt_library, texts)
    if arguments.qt_translation:
        qt_parts = [qt, qt_translations_section(arguments.qt_translation, texts)]
    else:
        qt_parts = [qt]
    components = qt_components(arguments.qt, arguments.qt_library, texts)
    runtimes = runtime_sections(arguments.runtime, texts)

    parts = [
        "THIRD-PARTY NOTICES\n",
        f"{arguments.program} for Windows is under the MIT licence (LICENSE.txt). Beside it in\n"
        "this folder are the works of others, each under its own licence: Qt and its\n"
        "translations, the third-party code compiled into Qt's DLLs, and MinGW-w64's run time.\n",
        summary(qt_parts + components + runtimes),
        f"{RULE}\nQt\n{RULE}\n",
        *(block(part) for part in qt_parts),
        f"{RULE}\nThird-party code compiled into Qt's DLLs\n{RULE}\n",
        *(block(component) for component in components),
        f"{RULE}\nMinGW-w64 run time\n{RULE}\n",
        *(block(runtime) for runtime in runtimes),
        f"{RULE}\nLicence texts\n{RULE}\n",
        *(f"[T{number}] {title}\n{'-' * 78}\n{text}"
          for number, (title, text) in enumerate(texts.texts, 1)),
    ]
    # Windows' own editors show the file as it is meant, whichever they are.
    arguments.output.write_text("\n".join(parts), encoding="utf-8", newline="\r\n")


if __name__ == "__main__":
    main()
