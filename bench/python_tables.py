#!/usr/bin/env python3
# Times ddsolver.dd_tables against the ddtable program on the same deals and
# threads (the first 100 deals of tests/data/dds_random_deals.tsv), checks
# that both give the same tables, and prints both times (medians of three
# rounds) and their ratio.
#
# Usage: /usr/bin/python3 bench/python_tables.py [BUILD_DIR [THREADS [DEALS]]]
#   BUILD_DIR  the build with ddtable and the module (build-py)
import json
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-py"))
threads = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count()
count = int(sys.argv[3]) if len(sys.argv) > 3 else 100
sys.path.insert(0, os.path.join(build, "bindings", "python"))
import ddsolver  # noqa: E402

with open(os.path.join(ROOT, "tests", "data", "dds_random_deals.tsv")) as f:
    next(f)
    deals = [line.split("\t")[2] for line in f][:count]

def run_module():
    start = time.perf_counter()
    result = ddsolver.dd_tables(deals, threads=threads)
    return time.perf_counter() - start, result


def run_program():
    start = time.perf_counter()
    result = subprocess.run([os.path.join(build, "ddtable"), "--format", "json", "--quiet",
                             "-j", str(threads)], input="\n".join(deals) + "\n",
                            capture_output=True, text=True, check=True).stdout
    return time.perf_counter() - start, result


# Three rounds, the first runner alternating, so that neither always meets
# the machine cold; the medians are compared.
module_times, program_times = [], []
for round_number in range(3):
    runs = [run_module, run_program] if round_number % 2 == 0 else [run_program, run_module]
    for runner in runs:
        seconds, result = runner()
        if runner is run_module:
            module_times.append(seconds)
            tables = result
        else:
            program_times.append(seconds)
            out = result
module_time = statistics.median(module_times)
program_time = statistics.median(program_times)

program_tables = [json.loads(line)["table"] for line in out.splitlines() if line.strip()]
if program_tables != [t.to_dict() for t in tables]:
    print("the tables differ")
    sys.exit(1)
print(f"{len(deals)} deals, {threads} threads")
print(f"dd_tables  {module_time:8.3f} s (median of 3)")
print(f"ddtable    {program_time:8.3f} s (median of 3)")
print(f"ratio      {module_time / program_time:8.3f}")
