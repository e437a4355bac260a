#!/usr/bin/env bash
# Start-up of the program against its floor on a fresh Xvfb display, from a Release build folder
# in which bench_startup, startup_floor and zel-file-generator are built.
# usage: bench/startup/run.sh BUILD_DIR
# STARTUP_RUNS (default 20) and CALLGRIND_RUNS (default 3) are the runs of each program.
set -euo pipefail
build_dir=$(realpath "$1")
out=$build_dir/startup-profiles
rm -rf "$out"

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# A 24-bit screen as on a desktop; xvfb-run's default is 8-bit and smaller than the window.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$build_dir/bench/bench_startup" --runs "${STARTUP_RUNS:-20}" \
    --callgrind-runs "${CALLGRIND_RUNS:-3}" --out "$out" \
    "$build_dir/bench/startup_floor" "$build_dir/zel-file-generator"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

# Where the program's instructions differ from the floor's, function by function (self cost),
# from the first profile of each.
[ "${CALLGRIND_RUNS:-3}" -gt 0 ] || exit 0
selfCosts() {
    callgrind_annotate --inclusive=no --threshold=100 "$1" | sed -n '/file:function/,$p' |
        tail -n +3
}
echo "--- instructions until mapped, program minus floor, by function (most, then least)"
awk '
    FNR == 1 { side++ }
    match($0, /^ *[0-9,]+ \( *[0-9.]+%\)  /) {
        cost = substr($0, 1, RLENGTH)
        gsub(/[ ,]|\(.*/, "", cost)
        # The same function may be charged to another library in the other profile.
        name = substr($0, RLENGTH + 1)
        sub(/ \[[^]]*\]$/, "", name)
        difference[name] += side == 1 ? -cost : cost
    }
    END {
        for (name in difference) {
            if (difference[name] != 0) {
                printf "%12d  %s\n", difference[name], name
            }
        }
    }
' <(selfCosts "$out/callgrind.floor.0.1") <(selfCosts "$out/callgrind.program.0.1") |
    sort -k1,1gr | { head -n 20; echo "..."; tail -n 5; }
