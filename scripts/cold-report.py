"""Summarises the cold rounds of scripts/bench: per-round ratios of the page to the bare page (median
and the 95 % interval of the median), the median of each step, and the median of each phase."""
import statistics
import sys
from collections import defaultdict

from ratio_summary import disturbed, summary

STEPS = ["load", "create", "paint", "free", "unload", "first_paint", "load_to_unload"]
ARCHES = ["x86", "x64"]


def main(path):
    steps = defaultdict(dict)  # (arch, side) -> round -> [ms]
    phases = defaultdict(lambda: defaultdict(list))  # (arch, side) -> phase -> [ms]
    order = defaultdict(list)
    for line in open(path):
        kind, arch, side, rnd, rest = line.rstrip("\n").split("|", 4)
        if kind == "steps":
            values = [float(x) for x in rest.split()]
            if len(values) == len(STEPS):
                steps[arch, side][rnd] = values
        else:
            name, value = rest.rsplit(" ", 1)
            if name not in order[arch, side]:
                order[arch, side].append(name)
            phases[arch, side][name].append(float(value))

    def ratios(arch, step):
        page, bare = steps[arch, "page"], steps[arch, "bare"]
        i = STEPS.index(step)
        return [page[r][i] / bare[r][i] for r in page if r in bare]

    def median(arch, side, step):
        values = [v[STEPS.index(step)] for v in steps[arch, side].values()]
        return statistics.median(values) if values else None

    print("Cold: a new process per round, the host's window up; page library against the bare page's")
    print(f"{'':36} {'x86':38} {'x64':38}")
    warnings = []
    for step in ["first_paint", "load_to_unload"]:
        row = [summary(ratios(arch, step)) for arch in ARCHES]
        print(f"{'ratio_cold_to_bare ' + step:36} {row[0]:38} {row[1]:38}")
        for arch in ARCHES:
            warning = disturbed(f"{arch} cold {step}", median(arch, "page", step), median(arch, "bare", step),
                                ratios(arch, step))
            if warning:
                warnings.append(warning)
    for warning in warnings:
        print("disturbed", warning)
    for side, label in [("page", "cold page"), ("bare", "cold bare page")]:
        for i, step in enumerate(STEPS):
            row = []
            for arch in ARCHES:
                values = [v[i] for v in steps[arch, side].values()]
                row.append(f"{statistics.median(values):.2f} ms" if values else "?")
            print(f"{label + ' ' + step:36} {row[0]:38} {row[1]:38}")
    for arch in ARCHES:
        print(f"\nCold phases, {arch}, median ms of the first page in a fresh process (page | bare page)")
        page, bare = order[arch, "page"], order[arch, "bare"]
        for i in range(max(len(page), len(bare))):
            left = f"{page[i]:28} {statistics.median(phases[arch, 'page'][page[i]]):7.3f}" if i < len(page) else ""
            right = f"{bare[i]:28} {statistics.median(phases[arch, 'bare'][bare[i]]):7.3f}" if i < len(bare) else ""
            print(f"  {left:38} | {right}")


main(sys.argv[1])
