# SPDX-License-Identifier: MIT
"""Prints the benchmark figures of one run as a Markdown table of ratios."""
import json
import sys

run = json.load(open(sys.argv[1]))
# Names without the run options Google Benchmark appends ("/min_time:2.000").
rows = {"/".join(p for p in b["name"].split("/") if ":" not in p and p != "manual_time"): b
        for b in run["benchmarks"]}


def get(name, key):
    return rows.get(name, {}).get(key)


def line(what, figure, baseline, ratio, target=""):
    print(f"| {what} | {figure} | {baseline} | {ratio} | {target} |")


print(f"Machine: {run['context'].get('num_cpus')} CPUs at {run['context'].get('mhz_per_cpu')} MHz, "
      f"{run['context'].get('host_name')}, {run['context'].get('date')}\n")
print("| Measure | Ours | Baseline | Ratio | Target |")
print("| --- | --- | --- | --- | --- |")
for name, label in [("lookup/shipped", "shipped list"), ("lookup/shared_45k", "45,000-key list"),
                    ("lookup/synthetic_1m", "1,000,000 keys")]:
    if name in rows:
        line(f"Lookup, {label}", f"{get(name, 'ours_us'):.1f} µs", f"{get(name, 'baseline_us'):.1f} µs (raw C API)",
             f"{get(name, 'ratio'):.2f}x", "≤ 2x")
if "lookup/form_against_headword" in rows:
    name = "lookup/form_against_headword"
    line("Lookup, a generated form against a headword (shipped list)", f"{get(name, 'ours_us'):.1f} µs",
         f"{get(name, 'baseline_us'):.1f} µs (headword)", f"{get(name, 'ratio'):.2f}x", "≈ 1x")
if "lookup/shared_45k" in rows and "lookup/synthetic_1m" in rows:
    line("Lookup, 1,000,000 keys against 45,000", f"{get('lookup/synthetic_1m', 'ours_us'):.1f} µs",
         f"{get('lookup/shared_45k', 'ours_us'):.1f} µs",
         f"{get('lookup/synthetic_1m', 'ours_us') / get('lookup/shared_45k', 'ours_us'):.2f}x", "≈ 1x")
for name, label in [("completion/shipped", "shipped list"), ("completion/synthetic_1m", "1,000,000 keys")]:
    if name in rows:
        line(f"Offers per keystroke (first 1 to 6 letters of a key), {label}", f"{get(name, 'ours_us'):.1f} µs",
             f"{get(name, 'baseline_us'):.1f} µs (raw C API)", f"{get(name, 'ratio'):.2f}x", "≤ 2x")
for name, label in [("nearest/merged_own", "our own search"), ("nearest/merged_hunspell", "Hunspell first")]:
    r = rows.get(name)
    if r:
        line(f"Nearest spellings of a 10-letter miss, {r['keys']:,.0f} keys, {label}: first question "
             f"{r['first_ms']:.0f} ms, memory {r['grown_MB']:.1f} MB (index {r['index_MB']:.1f} MB)",
             f"{r['real_time']:.1f} {r['time_unit']} ({r['cpu_time']:.1f} {r['time_unit']} CPU)", "", "", "< 30 ms")
# Any of the rows below may be missing from a run filtered with --benchmark_filter.
if "record" in rows:
    line(f"Recording a word ({rows['record'].get('label', '')})", f"{get('record', 'ours_us'):.0f} µs",
         f"{get('record', 'baseline_us'):.0f} µs (raw C API)", f"{get('record', 'ratio'):.2f}x", "")
if "history/100_rows" in rows and "history/1m_rows" in rows:
    h100 = rows["history/100_rows"]["real_time"]
    h1m = rows["history/1m_rows"]["real_time"]
    unit = rows["history/1m_rows"]["time_unit"]
    line("History listing, 1,000,000 rows against 100", f"{h1m:.1f} {unit}", f"{h100:.1f} {unit}",
         f"{h1m / h100:.2f}x", "≈ 1x")
if "startup/window" in rows:
    line("Start-up: build, show and paint the window", f"{get('startup/window', 'ours_us') / 1000:.2f} ms",
         f"{get('startup/window', 'baseline_us') / 1000:.2f} ms (bare window)",
         f"{get('startup/window', 'ratio'):.2f}x", "≤ 1.3x")
if "memory/startup_1m" in rows:
    line("Peak memory after start-up, 1,000,000 keys", f"{get('memory/startup_1m', 'ours_MB'):.1f} MB",
         f"{get('memory/startup_1m', 'baseline_MB'):.1f} MB (bare window)",
         f"{get('memory/startup_1m', 'ratio'):.2f}x", "≤ 1.2x")
if "press_to_paint" in rows:
    line("Press to paint, a found word", f"{get('press_to_paint', 'ours_us'):.0f} µs",
         f"{get('press_to_paint', 'baseline_us'):.0f} µs (lookup + record)", f"{get('press_to_paint', 'ratio'):.2f}x",
         "little above 1x")
for name, label in [("import/shared_both_directions", "shared list, both directions"),
                    ("import/shared_english_only", "shared list, English keys only"),
                    ("import/synthetic_1m", "1,000,000 synthetic keys")]:
    if name in rows:
        line(f"Import, {label}: {get(name, 'keys'):,.0f} keys, {get(name, 'keys_per_s'):,.0f} keys/s, "
             f"peak {get(name, 'peak_MB'):.0f} MB, file {get(name, 'file_MB'):.1f} MB",
             f"{get(name, 'ours_us') / 1e6:.2f} s", f"{get(name, 'baseline_us') / 1e6:.2f} s (raw write of the rows)",
             f"{get(name, 'ratio'):.2f}x", "")
for name, label in [("import/shipped_forms", "shipped list, with generated forms against without"),
                    ("import/shipped_and_shared_forms", "shipped + open list, with generated forms against without"),
                    ("import/merge_shared_into_shipped",
                     "open list merged into a dictionary of our list against into a new file")]:
    r = rows.get(name)
    if r:
        line(f"Import, {label}: {r['keys']:,.0f} against {r['baseline_keys']:,.0f} keys, "
             f"file {r['file_MB']:.1f} against {r['baseline_file_MB']:.1f} MB "
             f"({r['file_MB'] / r['baseline_file_MB']:.2f}x), peak {r['peak_MB']:.0f} against "
             f"{r['baseline_peak_MB']:.0f} MB ({r['peak_MB'] / r['baseline_peak_MB']:.2f}x)",
             f"{r['ours_us'] / 1e6:.2f} s",
             f"{r['baseline_us'] / 1e6:.2f} s ({'new file' if 'merge' in name else 'without forms'})",
             f"{r['ratio']:.2f}x", "")
both, english = rows.get("import/shared_both_directions"), rows.get("import/shared_english_only")
if both and english:
    print(f"\nThe Sinhala-to-English entries add {both['file_MB'] / english['file_MB'] - 1:.0%} to the file "
          f"({english['file_MB']:.1f} → {both['file_MB']:.1f} MB), {both['keys'] / english['keys']:.2f}x the keys, "
          f"and {both['ours_us'] / english['ours_us'] - 1:.0%} to the import time.")
