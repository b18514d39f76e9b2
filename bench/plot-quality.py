#!/usr/bin/python3
# plot-quality.py TABLE.csv OUT.png TITLE
# Draws bytes against SSIM for every encoding of one sequence, from the table compare.sh
# writes (columns: tool, seconds, bytes, ssim, psnr, kind; kind is "level" for our quality
# levels, drawn as one line, and the tool's name for the others, drawn as points).
import csv
import sys

import matplotlib
import matplotlib.ticker

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

table, out, title = sys.argv[1], sys.argv[2], sys.argv[3]
levels = []
others = []
with open(table, newline="") as f:
    for row in csv.DictReader(f):
        if row["ssim"] in ("", "-"):
            continue
        point = (float(row["bytes"]) / 1e6, float(row["ssim"]), row["tool"], row["kind"])
        (levels if row["kind"] == "level" else others).append(point)

fig, ax = plt.subplots(figsize=(8, 5.5), dpi=100)
if levels:
    levels.sort()
    ax.plot([p[0] for p in levels], [p[1] for p in levels], "o-", color="tab:blue",
            label="Lumorra quality levels")
    for mb, ssim, tool, _ in levels:
        level = tool.split()[-1] if " -q " in tool else "100"
        ax.annotate(level, (mb, ssim), textcoords="offset points", xytext=(4, -10),
                    fontsize=8, color="tab:blue")
# The range of our levels and gifski's points; others far below are named in a note.
shown = [p[1] for p in levels] + [p[1] for p in others if p[3] == "gifski"]
bottom = min(shown) - 0.02 if shown else 0
below = []
markers = {"gifski": ("s", "tab:red"), "smaller": ("D", "tab:cyan")}
for mb, ssim, tool, kind in others:
    if ssim < bottom:
        below.append("%s: SSIM %.3f, %.2f MB" % (tool, ssim, mb))
        continue
    marker, colour = markers.get(kind, ("^", "tab:gray"))
    ax.plot([mb], [ssim], marker, color=colour)
    ax.annotate(tool, (mb, ssim), textcoords="offset points", xytext=(4, 4), fontsize=8,
                color=colour)
ax.set_ylim(bottom=bottom)
if below:
    ax.text(0.01, 0.01, "below the plot: " + "; ".join(below), transform=ax.transAxes,
            fontsize=7, color="tab:gray")
ax.set_xscale("log")
ax.xaxis.set_major_formatter(matplotlib.ticker.ScalarFormatter())
ax.xaxis.set_minor_formatter(matplotlib.ticker.ScalarFormatter())
ax.set_xlabel("file size (MB, log scale)")
ax.set_ylabel("SSIM (luma, mean over frames)")
ax.set_title(title)
ax.grid(True, which="both", alpha=0.3)
ax.legend(loc="lower right")
fig.tight_layout()
fig.savefig(out)
