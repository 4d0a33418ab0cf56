#!/usr/bin/env python3
"""Times calpero-cli eval against GNU units on the same expressions, as whole processes.

Each expression is given once as catalogue names for calpero-cli and once in GNU units' own unit
names for the same quantities. Before timing, both answers are checked to name the same powers of
mass, length, temperature and time, so that the two programs are known to do the same work. The
commands are then run in turn, many times each, and the medians and their ratio are printed; the
median of an empty process (`true`) is shown as the floor that every process start pays.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# (catalogue name, GNU units name) for the same unit.
NUMERATOR_TWENTY = [
    ("Kilogram", "kg"), ("Gram", "g"), ("Tonne", "tonne"), ("Metre", "m"),
    ("Kilometre", "km"), ("Inch", "inch"), ("Foot", "ft"), ("Mile", "mile"),
    ("Kelvin", "K"), ("Newton", "N"), ("Joule", "J"), ("Watt", "W"),
    ("Pascal", "Pa"), ("Bar", "bar"), ("Litre", "liter"), ("Knot", "knot"),
    ("Hectare", "hectare"), ("Calorie", "calorie"), ("Horsepower", "hp"),
    ("Kilowatt hour", "kWh"),
]
DENOMINATOR_TEN = [
    ("Second", "s"), ("Minute", "min"), ("Hour", "hr"), ("Day", "day"),
    ("Hertz", "Hz"), ("Atmosphere", "atm"), ("Electron volt", "eV"),
    ("Cubic metre", "m^3"), ("Square metre", "m^2"), ("Metre per second", "(m/s)"),
]
EXPRESSIONS = [
    ("product of two units", [("Newton", "N"), ("Metre", "m")], []),
    ("twenty units over ten", NUMERATOR_TWENTY, DENOMINATOR_TEN),
]

KEYS = ["Mass", "Length", "Temperature", "Time"]
GNU_BASE_UNITS = {"kg": "Mass", "m": "Length", "K": "Temperature", "s": "Time"}


def calpero_command(cli, workspace, numerator, denominator, exact=False):
    command = [cli, "-C", workspace, "eval"] + [name for name, _ in numerator]
    if denominator:
        command += ["/"] + [name for name, _ in denominator]
    return command + (["--exact"] if exact else [])


def units_command(numerator, denominator):
    product = " ".join(gnu for _, gnu in numerator)
    if denominator:
        product = "(%s) / (%s)" % (product, " ".join(gnu for _, gnu in denominator))
    return ["units", "-t", product]


def calpero_powers(output):
    """The four powers from calpero-cli's "Key=value" lines (a "Same powers as:" line may follow)."""
    powers = {}
    for line in output.splitlines():
        key, equals, value = line.partition("=")
        if equals:
            powers[key] = float(value)
    return [powers[key] for key in KEYS]


def units_powers(output):
    """The four powers from an answer of `units -t` such as "7.05e-06 kg m^2 / s^2"."""
    answer = output.strip().split(" = ")[-1].split()
    powers = dict.fromkeys(KEYS, 0.0)
    sign = 1
    for token in answer[1:]:
        if token == "/":
            sign = -1
            continue
        base, _, exponent = token.partition("^")
        if base not in GNU_BASE_UNITS:
            raise ValueError("GNU units answered in a base unit outside the four: " + output)
        powers[GNU_BASE_UNITS[base]] += sign * float(exponent or 1)
    return [powers[key] for key in KEYS]


def run_output(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def median_ms(samples):
    return statistics.median(samples) / 1e6


def time_commands(commands, runs):
    """Runs every command once per round, in turn, and returns the durations (ns) of each."""
    samples = {name: [] for name in commands}
    for round_number in range(runs + 3):
        for name, command in commands.items():
            started = time.perf_counter_ns()
            subprocess.run(command, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            elapsed = time.perf_counter_ns() - started
            if round_number >= 3:  # the first rounds only warm the caches
                samples[name].append(elapsed)
    return samples


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True, help="the calpero-cli program")
    parser.add_argument("--catalogue", required=True, help="a catalogue with the units used")
    parser.add_argument("--runs", type=int, default=200)
    arguments = parser.parse_args()
    cli = os.path.abspath(arguments.cli)

    with tempfile.TemporaryDirectory(prefix="calpero-compare-") as workspace:
        os.mkdir(os.path.join(workspace, "Data"))
        shutil.copyfile(arguments.catalogue, os.path.join(workspace, "Data", "data.ini"))

        commands = {"empty process": ["true"]}
        for title, numerator, denominator in EXPRESSIONS:
            ours = calpero_powers(run_output(
                calpero_command(cli, workspace, numerator, denominator, exact=True)))
            theirs = units_powers(run_output(units_command(numerator, denominator)))
            if ours != theirs:
                sys.exit("the two programs disagree on %s: calpero %s, GNU units %s"
                         % (title, ours, theirs))
            print("%s: both give %s" % (title, dict(zip(KEYS, ours))))
            commands[title + "/calpero"] = calpero_command(cli, workspace, numerator, denominator)
            commands[title + "/units"] = units_command(numerator, denominator)

        samples = time_commands(commands, arguments.runs)

    floor = median_ms(samples["empty process"])
    print()
    print("Medians of %d runs of each command (ms), one run, interleaved:" % arguments.runs)
    print("%-24s %12s %12s %8s" % ("expression", "calpero-cli", "GNU units", "ratio"))
    for title, _, _ in EXPRESSIONS:
        ours = median_ms(samples[title + "/calpero"])
        theirs = median_ms(samples[title + "/units"])
        print("%-24s %12.2f %12.2f %8.2f" % (title, ours, theirs, ours / theirs))
    print("%-24s %12.2f   (the start of any process, included above)" % ("empty process", floor))


if __name__ == "__main__":
    main()
