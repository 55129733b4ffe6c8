#!/usr/bin/env python3
"""paired-runs.py RUNS COMMAND... [-- COMMAND...]... - commands run in turn, one run of each after
the other, RUNS times (after two rounds of warm-up), so that a busy moment of the machine falls on all
of them alike: the shortest and the median wall time, the shortest CPU time (user and system, from
the kernel's account of the process), and each one's ratio to the first command's. Output and
errors go nowhere; standard input is empty. Prints a Markdown table with the date and the load.
Example: bench/paired-runs.py 40 sha256sum scene.cws -- build/cwstool check scene.cws"""
import os
import statistics
import subprocess
import sys
import time


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    runs = int(sys.argv[1])
    commands, current = [], []
    for word in sys.argv[2:]:
        if word == "--":
            commands.append(current)
            current = []
        else:
            current.append(word)
    commands.append(current)
    times = [[] for _ in commands]
    for round_ in range(runs + 2):
        for i, command in enumerate(commands):
            start = time.perf_counter()
            process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            _, _, usage = os.wait4(process.pid, 0)
            wall = time.perf_counter() - start
            if round_ >= 2:
                times[i].append((wall, usage.ru_utime + usage.ru_stime))
    load = open("/proc/loadavg").read().split()[:3]
    print(f"{runs} paired runs, {time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}, "
          f"{os.cpu_count()} cores, load {' '.join(load)} at the end")
    print()
    print("| Command | Wall, shortest | Ratio | Wall, median | Ratio | CPU, shortest | Ratio |")
    print("|---|---|---|---|---|---|---|")
    base = None
    for command, pairs in zip(commands, times):
        walls = [w * 1000 for w, _ in pairs]
        cpus = [c * 1000 for _, c in pairs]
        row = (min(walls), statistics.median(walls), min(cpus))
        base = base or row
        shown = " ".join(os.path.basename(word) if os.sep in word and i == 0 else word
                         for i, word in enumerate(command))
        print(f"| `{shown}` | {row[0]:.1f} ms | {row[0] / base[0]:.2f} | {row[1]:.1f} ms | "
              f"{row[1] / base[1]:.2f} | {row[2]:.1f} ms | {row[2] / base[2]:.2f} |")


main()
