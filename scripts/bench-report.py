#!/usr/bin/env python3
"""bench-report.py X86_64_RESULTS I686_RESULTS: from the Windows benchmarks' JSON output
(telvane_host_benchmark.json and telvane_bridge_benchmark.json in each folder, as
scripts/windows/bench.sh writes them) rewrites
the README's table of the last figures, between its "benchmark figures" markers, and draws
docs/benchmark-times.svg: the fax manager's opening against the number of folders and the
list of contacts against the number of contacts, the Win32 host against the headless one (and,
for the folders, the DLLs in the stand-in mail client), one row per architecture. Medians of
the repetitions; the table also gives the spread (lowest to highest repetition), each goal's
verdict (met or over), and the Win32 host's time a contact against the headless host's (what
the contacts from 10,000 to 40,000 add)."""
import json
import math
import os
import re
import statistics
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
README = os.path.join(HERE, "..", "README.md")
SVG = os.path.join(HERE, "..", "docs", "benchmark-times.svg")
BEGIN = "<!-- benchmark figures -->"
END = "<!-- end of benchmark figures -->"
ARCHES = ["x86_64", "i686"]
SHAPES = [(1, 100), (2, 100), (10, 100), (20, 250), (40, 250)]
TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
COLOURS = {"headless": "#1f77b4", "win32": "#d62728", "dll": "#2ca02c"}
LABELS = {"headless": "headless host", "win32": "Win32 host (in process)",
          "dll": "Win32, the DLLs over COM"}


def load(folder, program="telvane_host_benchmark"):
    """name -> {"median": ms, "cpu": ms, "runs": [ms...], "error": text}; name is run_name
    without the time-type suffix, e.g. "FaxManagerOpening/dll/20/250"."""
    path = os.path.join(folder, program + ".json")
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as f:
        try:
            data = json.load(f)
        except json.JSONDecodeError:
            # A run that matched no benchmark, or was stopped, leaves an empty file.
            return {}
    figures = {}
    for entry in data.get("benchmarks", []):
        name = re.sub(r"/(manual|real)_time$", "", entry.get("run_name", entry["name"]))
        name = re.sub(r"/(min_time|iterations|repeats):[^/]*", "", name)
        figure = figures.setdefault(name, {"median": None, "cpu": None, "runs": [], "cpus": [],
                                           "error": ""})
        if entry.get("error_occurred"):
            figure["error"] = entry.get("error_message", "failed")
            continue
        scale = TO_MS[entry.get("time_unit", "ns")]
        ms = entry["real_time"] * scale
        cpu = entry.get("cpu_time", 0) * scale
        if entry.get("run_type") == "aggregate":
            if entry.get("aggregate_name") == "median":
                figure["median"] = ms
                figure["cpu"] = cpu
        else:
            figure["runs"].append(ms)
            figure["cpus"].append(cpu)
    for figure in figures.values():
        if figure["median"] is None and figure["runs"]:
            figure["median"] = statistics.median(figure["runs"])
            figure["cpu"] = statistics.median(figure["cpus"])
    return figures


def bridge_cell(figures, operation, goal):
    bridge, raw = figures.get(f"{operation}/bridge"), figures.get(f"{operation}/raw")
    if not bridge or not raw or bridge["error"] or raw["error"] or not raw["median"]:
        return "not measured"
    ratio = bridge["median"] / raw["median"]
    text = (f"{ratio:.2f}× ({bridge['median'] * 1e6:.0f} ns against {raw['median'] * 1e6:.0f} ns"
            f", n={len(bridge['runs'])})")
    if bridge["cpu"] and raw["cpu"]:
        text += f"; CPU time {bridge['cpu'] / raw['cpu']:.2f}×"
    return text + (" — met" if ratio <= goal else " — **over**")


def cell(figure):
    if figure and figure["error"].startswith("skipped"):
        # "skipped: about N s an opening (how it was estimated), over the budget"
        return re.sub(r" \(.*?\)", "", figure["error"]).replace(" (--opening_budget)", "")
    if not figure or figure["error"] or figure["median"] is None:
        return "not measured" + (f" ({figure['error']})" if figure and figure["error"] else "")
    text = fmt(figure["median"])
    if len(figure["runs"]) > 1:
        text += f" ({fmt(min(figure['runs']))}–{fmt(max(figure['runs']))}, n={len(figure['runs'])})"
    return text


def fmt(ms):
    if ms >= 100:
        return f"{ms:.0f} ms"
    if ms >= 1:
        return f"{ms:.1f} ms"
    return f"{ms * 1000:.0f} µs"


def judged(text, figure, goal_ms):
    """A measured figure beside its goal: whether its median is within it."""
    if not figure or figure["error"] or figure["median"] is None:
        return text
    return text + (" — met" if figure["median"] <= goal_ms else " — **over**")


def ratio_cell(figures, operation, goal):
    """What each contact costs on the Win32 host against the headless host: the time the
    contacts from 10,000 to 40,000 add, so that what an operation costs once (painting the
    windows when it starts and ends) is left out; the whole operations' ratio beside it."""
    times = {}
    for host in ["win32", "headless"]:
        for size in [10000, 40000]:
            figure = figures.get(f"{operation}/{host}/{size}")
            if not figure or figure["error"] or not figure["median"]:
                return "not measured"
            times[host, size] = figure["median"]
    native = times["win32", 40000] - times["win32", 10000]
    headless = times["headless", 40000] - times["headless", 10000]
    if headless <= 0:
        return "not measured"
    ratio = native / headless
    text = (f"{ratio:.2f}× ({native / 30:.2f} µs against {headless / 30:.2f} µs a contact; "
            f"whole operation at 40,000: {times['win32', 40000] / times['headless', 40000]:.2f}×)")
    return text + (" — met" if ratio <= goal else " — **over**")


def difference(figures, minuend, subtrahend):
    """One figure less another: the medians' difference; the spread pairs the repetitions."""
    a, b = figures.get(minuend), figures.get(subtrahend)
    if not a or not b or a["median"] is None or b["median"] is None or a["error"] or b["error"]:
        return None
    runs = [x - y for x, y in zip(a["runs"], b["runs"])]
    return {"median": a["median"] - b["median"], "runs": runs, "error": ""}


def rows(results, bridges):
    table = []
    def goal_row(title, goal_ms, figure_of):
        cells = []
        for a in ARCHES:
            figure = figure_of(results[a])
            cells.append(judged(cell(figure), figure, goal_ms))
        table.append((title, f"≤ {goal_ms:g} ms", cells))

    goal_row("start-up: Telvane.dll loaded + OnConnection", 20,
             lambda r: r.get("AddInStartUp/dll"))
    goal_row("shut-down: OnDisconnection + unload", 20, lambda r: r.get("AddInShutDown/dll"))
    goal_row("a save's add-in share (save with the add-in less without)", 1,
             lambda r: difference(r, "ContactSave/with", "ContactSave/without"))
    goal_row("the options tab to its first paint", 100,
             lambda r: r.get("OptionsTabFirstPaint/dll"))
    for stores, folders in SHAPES:
        goal = "≤ 300 ms" if (stores, folders) == (20, 250) else ""
        for host in ["dll", "win32", "headless"]:
            name = f"FaxManagerOpening/{host}/{stores}/{folders}"
            cells = []
            for a in ARCHES:
                figure = results[a].get(name)
                text = cell(figure)
                if figure and figure["median"] is not None and not figure["error"]:
                    text += f"; {figure['median'] / (stores * folders) * 1000:.0f} µs/folder"
                    if figure["cpu"]:
                        text += f"; CPU time {fmt(figure['cpu'])}"
                if (stores, folders) == (20, 250) and host == "dll":
                    text = judged(text, figure, 300)
                cells.append(text)
            table.append((f"fax manager opening, {stores}×{folders} folders, {LABELS[host]}",
                          goal if host == "dll" else "", cells))
    for operation, title in [("ListGeneration", "list of"), ("UpdateAfterHideAll",
                                                             "Update after Hide All on")]:
        for host in ["win32", "headless"]:
            name = f"{operation}/{host}/40000"
            table.append((f"{title} 40,000 contacts, {LABELS[host]}", "",
                          [cell(results[a].get(name)) for a in ARCHES]))
    for operation, title in [("ListGeneration", "list of"), ("UpdateAfterHideAll",
                                                             "Update after Hide All on")]:
        table.append((f"{title} 10,000 to 40,000 contacts: Win32 host's time a contact "
                      "against the headless host's", "≤ 1.5×",
                      [ratio_cell(results[a], operation, 1.5) for a in ARCHES]))
    for operation, goal in [("read", 1.5), ("write", 1.3)]:
        table.append((f"bridge {operation} of a contact's field against a raw cached-DISPID Invoke",
                      f"≤ {goal}×", [bridge_cell(bridges[a], operation, goal) for a in ARCHES]))
    lines = ["| figure | goal | x86_64 | i686 |", "|---|---|---|---|"]
    for title, goal, cells in table:
        lines.append(f"| {title} | {goal} | " + " | ".join(cells) + " |")
    return "\n".join(lines)



def write_readme(results, bridges):
    with open(README, encoding="utf-8") as f:
        text = f.read()
    body = (BEGIN + "\n" + rows(results, bridges) + "\n\n![Benchmark times](docs/benchmark-times.svg)\n"
            + END)
    if BEGIN in text and END in text:
        text = text[:text.index(BEGIN)] + body + text[text.index(END) + len(END):]
    else:
        sys.exit(f"README.md has no {BEGIN} ... {END} markers")
    with open(README, "w", encoding="utf-8") as f:
        f.write(text)


class Panel:
    """One log-log chart at (x, y) of width w and height h."""

    def __init__(self, svg, x, y, w, h, title, xlabel, xs, ymin, ymax):
        self.svg, self.x, self.y, self.w, self.h = svg, x, y, w, h
        self.lx0, self.lx1 = math.log10(min(xs)) - 0.15, math.log10(max(xs)) + 0.15
        self.ly0, self.ly1 = math.floor(math.log10(ymin)), math.ceil(math.log10(ymax))
        if self.ly1 == self.ly0:
            self.ly1 += 1
        svg.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="white" '
                   'stroke="#444"/>')
        svg.append(f'<text x="{x + w / 2}" y="{y - 10}" text-anchor="middle" '
                   f'font-weight="bold">{title}</text>')
        svg.append(f'<text x="{x + w / 2}" y="{y + h + 36}" text-anchor="middle">{xlabel}</text>')
        svg.append(f'<text transform="translate({x - 48},{y + h / 2}) rotate(-90)" '
                   'text-anchor="middle">time (ms, log scale)</text>')
        for p in range(self.ly0, self.ly1 + 1):
            py = self.py(10 ** p)
            svg.append(f'<line x1="{x}" y1="{py:.1f}" x2="{x + w}" y2="{py:.1f}" '
                       'stroke="#ddd"/>')
            label = f"{10 ** p:g}"
            svg.append(f'<text x="{x - 6}" y="{py + 4:.1f}" text-anchor="end">{label}</text>')
        for v in xs:
            px = self.px(v)
            svg.append(f'<line x1="{px:.1f}" y1="{y}" x2="{px:.1f}" y2="{y + h}" '
                       'stroke="#eee"/>')
            svg.append(f'<text x="{px:.1f}" y="{y + h + 16}" text-anchor="middle">{v:,}</text>')

    def px(self, v):
        return self.x + (math.log10(v) - self.lx0) / (self.lx1 - self.lx0) * self.w

    def py(self, v):
        return self.y + self.h - (math.log10(v) - self.ly0) / (self.ly1 - self.ly0) * self.h

    def goal(self, xv, yv, text):
        """A goal at one x: a dashed line at its height across the panel, so it reads against
        every curve, and a cross where it applies."""
        px, py = self.px(xv), self.py(yv)
        self.svg.append(f'<line x1="{self.x}" y1="{py:.1f}" x2="{self.x + self.w}" '
                        f'y2="{py:.1f}" stroke="black" stroke-width="1" '
                        'stroke-dasharray="2,3"/>')
        self.svg.append(f'<line x1="{px - 7:.1f}" y1="{py - 7:.1f}" x2="{px + 7:.1f}" '
                        f'y2="{py + 7:.1f}" stroke="black" stroke-width="2"/>')
        self.svg.append(f'<line x1="{px - 7:.1f}" y1="{py + 7:.1f}" x2="{px + 7:.1f}" '
                        f'y2="{py - 7:.1f}" stroke="black" stroke-width="2"/>')
        self.svg.append(f'<text x="{self.x + 6}" y="{py - 5:.1f}">{text}</text>')

    def line(self, points, colour, dash=""):
        points = [(x, y) for x, y in points if y and y > 0]
        if not points:
            return
        path = " ".join(f"{self.px(x):.1f},{self.py(y):.1f}" for x, y in points)
        style = f' stroke-dasharray="{dash}"' if dash else ""
        self.svg.append(f'<polyline points="{path}" fill="none" stroke="{colour}" '
                        f'stroke-width="2"{style}/>')
        for x, y in points:
            self.svg.append(f'<circle cx="{self.px(x):.1f}" cy="{self.py(y):.1f}" r="3.5" '
                            f'fill="{colour}"/>')


def median(results, arch, name):
    figure = results[arch].get(name)
    return figure["median"] if figure and not figure["error"] else None


def write_svg(results):
    shapes = SHAPES
    folders = [s * f for s, f in shapes]
    contacts = [10000, 40000]
    plotted = ("FaxManagerOpening/", "ListGeneration/", "UpdateAfterHideAll/")
    values = [f["median"] for a in ARCHES for name, f in results[a].items()
              if name.startswith(plotted) and f["median"] and not f["error"]]
    values.append(300)
    ymin, ymax = (min(values), max(values)) if values else (1, 1000)
    width, height = 1000, 760
    svg = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}" font-family="DejaVu Sans, Arial, sans-serif" '
           'font-size="12">', f'<rect width="{width}" height="{height}" fill="#fafafa"/>',
           f'<text x="{width / 2}" y="24" text-anchor="middle" font-size="16" '
           'font-weight="bold">Telvane under Wine: medians of the repetitions</text>']
    for row, arch in enumerate(ARCHES):
        top = 80 + row * 330
        left = Panel(svg, 90, top, 380, 240, f"{arch}: the fax manager opening",
                     "folders (stores × folders, half of them contact folders)", folders,
                     ymin, ymax)
        for host in ["headless", "win32", "dll"]:
            left.line([(n, median(results, arch, f"FaxManagerOpening/{host}/{s}/{f}"))
                       for n, (s, f) in zip(folders, shapes)], COLOURS[host])
        left.goal(5000, 300, "goal: 300 ms at 20×250")
        right = Panel(svg, 580, top, 380, 240, f"{arch}: the fax manager on one contact folder",
                      "contacts", contacts, ymin, ymax)
        for host in ["headless", "win32"]:
            right.line([(n, median(results, arch, f"ListGeneration/{host}/{n}"))
                        for n in contacts], COLOURS[host])
            right.line([(n, median(results, arch, f"UpdateAfterHideAll/{host}/{n}"))
                        for n in contacts], COLOURS[host], "6,4")
    legend = [(COLOURS[h], "", LABELS[h]) for h in ["headless", "win32", "dll"]]
    legend += [("#555", "", "list of contacts (right)"),
               ("#555", "6,4", "Update after Hide All (right)"),
               ("black", "2,3", "goal (left)")]
    # Three entries a row, in columns, so that none runs past the right edge.
    columns = 3
    column = (width - 120) / columns
    for i, (colour, dash, text) in enumerate(legend):
        x = 60 + (i % columns) * column
        y = height - 48 + (i // columns) * 22
        style = f' stroke-dasharray="{dash}"' if dash else ""
        svg.append(f'<line x1="{x}" y1="{y}" x2="{x + 30}" y2="{y}" '
                   f'stroke="{colour}" stroke-width="2"{style}/>')
        svg.append(f'<text x="{x + 36}" y="{y + 4}">{text}</text>')
    svg.append("</svg>")
    with open(SVG, "w", encoding="utf-8") as f:
        f.write("\n".join(svg) + "\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    results = {arch: load(folder) for arch, folder in zip(ARCHES, sys.argv[1:])}
    bridges = {arch: load(folder, "telvane_bridge_benchmark")
               for arch, folder in zip(ARCHES, sys.argv[1:])}
    write_readme(results, bridges)
    write_svg(results)
    print(f"wrote the README's benchmark table and {os.path.relpath(SVG)}")


if __name__ == "__main__":
    main()
