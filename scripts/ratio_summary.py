"""The one summary of per-round ratios that the warm and the cold rounds of scripts/bench share: the
median with its distribution-free 95 % interval, and the check that a run was not disturbed. Imported
by cold-report.py; run as a filter it turns the lines "ratios NAME r1 r2 ..." of the warm bench into
"NAME SUMMARY", followed by "disturbed NAME: ..." when the check fails, and passes the others."""
import math
import statistics
import sys


def interval(values):
    """95 % interval of the median: the order statistics k places in from either end."""
    v = sorted(values)
    n = len(v)
    k = max(0, int(math.floor((n - 1.96 * math.sqrt(n)) / 2)))
    return v[k], v[n - 1 - k]


def summary(ratios):
    if not ratios:
        return "?"
    low, high = interval(ratios)
    return f"{statistics.median(ratios):.2f} x (95% {low:.2f}-{high:.2f}, {len(ratios)} rounds)"


# Each warm ratio and the lines of its two sides' median cycles, which come before it.
SIDES = {
    "ratio_page_to_bare": ("page_create_paint_free", "bare_create_paint_free"),
    "ratio_load_to_empty": ("library_load_unload", "empty_library_load_unload"),
}


def disturbed(name, numerator, denominator, ratios):
    """The per-round ratio is the robust figure; when the ratio of the two sides' medians lies more than
    0.05 outside its 95 % interval, the sides met different loads within the rounds (other work came
    and went), and neither figure of the run can be compared with another run's. Says so, or None."""
    if not ratios or not numerator or not denominator:
        return None
    low, high = interval(ratios)
    of_medians = numerator / denominator
    if low - 0.05 <= of_medians <= high + 0.05:
        return None
    return (f"{name}: the medians give {numerator:.2f} / {denominator:.2f} = {of_medians:.2f}, outside the "
            f"per-round 95% interval {low:.2f}-{high:.2f} by more than 0.05: the run was disturbed, "
            "its figures should not be compared")


def main():
    medians = {}
    for line in sys.stdin:
        words = line.split()
        if len(words) >= 2 and words[0] == "ratios":
            ratios = [float(x) for x in words[2:]]
            print(words[1], summary(ratios))
            numerator, denominator = (medians.get(side) for side in SIDES.get(words[1], ("", "")))
            warning = disturbed(words[1], numerator, denominator, ratios)
            if warning:
                print("disturbed", warning)
        else:
            if len(words) >= 2:
                try:
                    medians[words[0]] = float(words[1])
                except ValueError:
                    pass
            print(line, end="")


if __name__ == "__main__":
    main()
