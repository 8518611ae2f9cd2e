"""The one summary of per-round ratios that the warm and the cold rounds of scripts/bench share: the
median with its distribution-free 95 % interval. Imported by cold-report.py; run as a filter it turns
the lines "ratios NAME r1 r2 ..." of the warm bench into "NAME SUMMARY" and passes the others."""
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


def main():
    for line in sys.stdin:
        words = line.split()
        if len(words) >= 2 and words[0] == "ratios":
            print(words[1], summary([float(x) for x in words[2:]]))
        else:
            print(line, end="")


if __name__ == "__main__":
    main()
