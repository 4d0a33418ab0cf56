#!/usr/bin/env python3
"""Prints the benchmark table: each operation's time at each catalogue size, its ratio to the
floor of the same size measured in the same run, how it grows with the size, and the goals.

Takes the JSON files that Google Benchmark wrote (--benchmark_format=json or --benchmark_out).
Each file carries its own floor (Floor_ReadAndFindLineEnds/<units>), so every ratio compares
figures of one process run. With repetitions, the medians are used.
"""

import json
import sys

FLOOR = "Floor_ReadAndFindLineEnds"
SIZES = [100, 10_000, 100_000]
LARGEST = SIZES[-1]
# Growth from one size to the next that still counts as linear: the floor's own growth times
# this allowance for the noise of a shared machine and the caches that a larger file outgrows.
LINEAR_ALLOWANCE = 1.5

# (benchmark, most allowed ratio to the floor at the largest size)
FLOOR_GOALS = [
    ("EvaluateResultant_Tokens/100000/50", 2.0),
    ("ReadPower_LastUnit/100000", 2.0),
    ("UnitExists_LastUnit/100000", 2.0),
    ("Window_ListClick/100000", 2.0),
    ("WritePower_MiddleUnit/100000", 3.0),
    ("EraseUnit_MiddleUnit/100000", 3.0),
]

# (benchmark, the benchmark it is compared with, most allowed ratio), at the largest size
PAIR_GOALS = [
    ("Cli_Match/100000", "Cli_List/100000", 2.0),
    ("PresenceCheck_16000Names/100000", "Evaluate_16000Names/100000", 2.0),
]

# The two start-up measurements, the one the goal is judged on first: the whole process (the
# probe started afresh each time) and the window alone in a running application.
START_UP_MEASUREMENTS = {"Process_StartUp": "whole process", "Window_StartUp": "in-process"}


def load(paths):
    """The figures, {benchmark name without "/real_time": (microseconds, file index)}, and the
    floors of each file, {file index: {units: microseconds}}. A floor of a later file is listed
    under its own name with the file's index, so the floors of every run stay in the table."""
    figures = {}
    floors = {}
    for index, path in enumerate(paths):
        with open(path, encoding="utf-8") as handle:
            data = json.load(handle)
        for run in data["benchmarks"]:
            if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
                continue
            if run.get("error_occurred"):
                print("ERROR in %s: %s" % (run["name"], run.get("error_message")))
                continue
            name = run.get("run_name", run["name"]).replace("/real_time", "")
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run["time_unit"]]
            time = run["real_time"] * scale
            base, units, _ = split(name)
            if base == FLOOR:
                floors.setdefault(index, {})[units] = time
                if index > 0:
                    name = "%s#%d/%d" % (FLOOR, index + 1, units)
            figures[name] = (time, index)
    return figures, floors


def floor_of(floors, figures, name, units):
    """The floor for the catalogue size `units`, from the same file as `name`, or None."""
    return floors.get(figures[name][1], {}).get(units)


def split(name):
    """("ListUnits", 100000, "") or ("EvaluateResultant_Tokens", 100000, "/50")."""
    parts = name.split("/")
    if len(parts) < 2 or not parts[1].isdigit():
        return parts[0], None, "/".join(parts[1:])
    rest = "/".join(parts[2:])
    return parts[0], int(parts[1]), ("/" + rest) if rest else ""


def format_time(microseconds):
    if microseconds >= 1000:
        return "%.2f ms" % (microseconds / 1000)
    if microseconds < 1:
        return "%.0f ns" % (microseconds * 1000)
    return "%.1f us" % microseconds


def print_table(figures, floors):
    rows = {}
    for name in figures:
        base, units, variant = split(name)
        if units in SIZES:
            rows.setdefault(base + variant, {})[units] = name
    header = "%-36s" % "operation (wall time, x floor)"
    for units in SIZES:
        header += " %22s" % ("%d units" % units)
    print(header + "  growth x10 (floor)")
    for row in sorted(rows, key=lambda r: (r.startswith("Floor") is False, r)):
        line = "%-36s" % row
        for units in SIZES:
            name = rows[row].get(units)
            if name is None:
                line += " %22s" % "-"
                continue
            time, _ = figures[name]
            floor = floor_of(floors, figures, name, units)
            ratio = " (x%.2f)" % (time / floor) if floor else ""
            line += " %22s" % (format_time(time) + ratio)
        line += "  " + growth_text(figures, floors, rows[row])
        print(line)
    for name in sorted(figures):
        if split(name)[1] not in SIZES:
            print("%-36s %22s" % (name, format_time(figures[name][0])))


def growth(figures, floors, names, smaller, larger):
    """(the operation's growth, the floor's growth) between two sizes, or None."""
    if smaller not in names or larger not in names:
        return None
    small, large = figures[names[smaller]][0], figures[names[larger]][0]
    floor_small = floor_of(floors, figures, names[smaller], smaller)
    floor_large = floor_of(floors, figures, names[larger], larger)
    if not floor_small or not floor_large:
        return None
    return large / small, floor_large / floor_small


def growth_text(figures, floors, names):
    found = growth(figures, floors, names, SIZES[1], SIZES[2])
    if found is None:
        return ""
    mine, floor = found
    return "x%.1f (x%.1f)" % (mine, floor)


def print_goals(figures, floors):
    print()
    print("Goals (ratios within one run):")
    results = []
    for name, most in FLOOR_GOALS:
        if name not in figures:
            continue
        floor = floor_of(floors, figures, name, LARGEST)
        if floor is None:
            continue
        ratio = figures[name][0] / floor
        results.append(("%s <= %.0f x floor" % (name, most), ratio <= most, "x%.2f" % ratio))
    for name, other, most in PAIR_GOALS:
        if name in figures and other in figures:
            ratio = figures[name][0] / figures[other][0]
            results.append(("%s <= %.0f x %s" % (name, most, other.split("/")[0]),
                            ratio <= most, "x%.2f" % ratio))
    results.extend(start_up_goal(figures))
    if "Window_FindKeystroke/100000" in figures:
        time = figures["Window_FindKeystroke/100000"][0]
        results.append(("Window_FindKeystroke/100000 < 5 ms", time < 5000, format_time(time)))
    if "ClosestName_NearMiss/131072" in figures:
        time = figures["ClosestName_NearMiss/131072"][0]
        results.append(("ClosestName_NearMiss/131072 < 1 s", time < 1e6, format_time(time)))
    results.extend(linear_growth(figures, floors))
    for text, met, figure in results:
        print("  %-4s %-52s %s" % ("met" if met else "MISS", text, figure))


def start_up_ratio(figures, base):
    """The start-up with the largest catalogue over the start-up with an empty one, or None."""
    large, empty = "%s/%d" % (base, LARGEST), "%s/0" % base
    if large not in figures or empty not in figures:
        return None
    return figures[large][0] / figures[empty][0]


def start_up_goal(figures):
    """The start-up goal, on the whole process (what a user waits for) when it was measured,
    else on the in-process start-up; the figure shows both ratios."""
    ratios = [(base, start_up_ratio(figures, base)) for base in START_UP_MEASUREMENTS]
    measured = [(base, ratio) for base, ratio in ratios if ratio is not None]
    if not measured:
        return []
    judged, ratio = measured[0]
    figure = ", ".join("x%.2f %s" % (found, START_UP_MEASUREMENTS[base])
                       for base, found in measured)
    return [("start-up, %s: %d units <= 3 x empty" % (START_UP_MEASUREMENTS[judged], LARGEST),
             ratio <= 3.0, figure)]


def linear_growth(figures, floors):
    """One goal line per operation: from 10,000 to 100,000 units it grows like the floor."""
    rows = {}
    for name in figures:
        base, units, variant = split(name)
        if units is not None and not base.startswith("Floor"):
            rows.setdefault(base + variant, {})[units] = name
    results = []
    for row, names in sorted(rows.items()):
        found = growth(figures, floors, names, SIZES[1], SIZES[2])
        if found is None:
            continue
        mine, floor = found
        results.append(("%s grows linearly (10,000 -> 100,000)" % row,
                        mine <= floor * LINEAR_ALLOWANCE, "x%.1f vs floor x%.1f" % (mine, floor)))
    return results


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: report.py RESULTS.json...")
    figures, floors = load(sys.argv[1:])
    print_table(figures, floors)
    print_goals(figures, floors)


if __name__ == "__main__":
    main()
