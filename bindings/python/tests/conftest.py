# Where the tests find the data files and the command-line programs they
# compare the module with (CTest passes the programs' paths).
import os
import shutil

import pytest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
DATA = os.environ.get("DDSOLVER_TESTDATA", os.path.join(ROOT, "tests", "data"))


def program(name):
    """The program's path from the environment (DDTABLE, DDSIM, ...), else
    build-py/NAME or build/NAME; the test is skipped when none is there."""
    path = os.environ.get(name.upper())
    for candidate in (path, os.path.join(ROOT, "build-py", name), os.path.join(ROOT, "build", name)):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    found = shutil.which(name)
    if found:
        return found
    pytest.skip(f"{name} program not found")


def published_deals():
    """The published deals: (dealer, vulnerability, PBN, table rows, dealer par score, contracts)."""
    rows = []
    with open(os.path.join(DATA, "bridge_pbn10.tsv")) as f:
        next(f)
        for line in f:
            dealer, vul, deal, table, _, _, _, _, score, contracts = line.rstrip("\n").split("\t")
            rows.append((dealer, vul, deal, [int(x) for x in table.split()], int(score),
                         contracts.split()))
    return rows
