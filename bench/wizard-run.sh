#!/usr/bin/env bash
# wizard-run.sh [BUILD] - a default wizard run (`printf 'ok\n' | skipfloor-wizard house.cws house.prm`:
# the three files written and synced) beside a dynamically linked C++ "hello" (iostream), the least a
# C++ program of this machine costs: instructions (callgrind) and CPU time (hyperfine, the two
# commands side by side in one run, each fed the same input; and the wizard with its files on tmpfs).
# Prints a Markdown table.
#
# BUILD is a native build folder with skipfloor-wizard (default: build). RUNS sets hyperfine's runs
# (default 200). Needs valgrind, hyperfine and a C++ compiler.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-200}
work=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-wizard-run.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 LANGUAGE= XDG_CONFIG_HOME=$work/config

printf '#include <iostream>\nint main() { std::cout << "hello" << std::endl; }\n' >"$work/hello.cpp"
c++ -O2 -o "$work/hello" "$work/hello.cpp"
printf 'ok\n' >"$work/ok.txt"
wizard="$build/skipfloor-wizard house.cws house.prm"

# The instructions callgrind counts for a command run in the work folder with ok.txt as its input.
instructions() {
  # shellcheck disable=SC2086 # the command is split into words on purpose
  (cd "$work" && valgrind --tool=callgrind --callgrind-out-file=/dev/null $1 <"$work/ok.txt" 2>&1 >/dev/null) |
    sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p'
}
hello_count=$(instructions "$work/hello")
wizard_count=$(instructions "$wizard")

# hyperfine runs the commands through a shell (for the input) and subtracts the shell's own time. A
# third command, where /dev/shm is a tmpfs, runs the wizard with its files there: syncs cost nothing,
# which shows the kernel's share of writing the files durably.
commands=("$work/hello <ok.txt" "$wizard <ok.txt")
if [ -d /dev/shm ] && shm=$(mktemp -d /dev/shm/skipfloor-wizard-run.XXXXXX 2>/dev/null); then
  trap 'rm -rf "$work" "$shm"' EXIT
  commands+=("cd $shm && XDG_CONFIG_HOME=$shm/config $wizard <$work/ok.txt")
fi
(cd "$work" && hyperfine --warmup 20 --runs "$runs" --export-json "$work/times.json" "${commands[@]}" >/dev/null 2>&1)

echo "Default wizard run beside a C++ hello, $(date -u +%Y-%m-%d), $(nproc) cores ($(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo
python3 - "$work/times.json" "$hello_count" "$wizard_count" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
counts = [int(sys.argv[2]), int(sys.argv[3])]
names = ['C++ "hello" (libstdc++.so)', "skipfloor-wizard, default run", "the same, its files on tmpfs"]
cpu = [r["user"] + r["system"] for r in results]
print("| Program | Instructions | Ratio | CPU time (mean) | Ratio | Wall time (median) |")
print("|---|---|---|---|---|---|")
for i, (name, c, r) in enumerate(zip(names, cpu, results)):
    count = f"{counts[i]:,} | {counts[i] / counts[0]:.2f}" if i < 2 else "as above | -"
    print(f"| {name} | {count} | {c * 1000:.2f} ms | {c / cpu[0]:.2f} | {r['median'] * 1000:.2f} ms |")
PY
