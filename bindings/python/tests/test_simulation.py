# Simulation against ddsim --format json run with the same options.
import json
import os
import signal
import threading
import time
import subprocess

import pytest

import ddsolver
from conftest import program


def ddsim(*args):
    out = subprocess.run([program("ddsim"), "--format", "json", "--quiet", *args],
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out)


def close(a, b, decimals):
    return abs(a - b) <= 0.6 * 10 ** -decimals


def check_same(report, expected):
    for key in ("deals", "exact", "partial", "seed"):
        assert report[key] == expected[key], key
    assert list(report["range"]) == expected["range"]
    assert len(report["contracts"]) == len(expected["contracts"])
    for got, want in zip(report["contracts"], expected["contracts"]):
        assert (got["contract"], got["tricks"]) == (want["contract"], want["tricks"])
        assert close(got["make_pct"], want["make_pct"], 2)
        assert all(close(x, y, 2) for x, y in zip(got["make_ci95"], want["make_ci95"]))
        assert close(got["avg_score"], want["avg_score"], 2)
    if "compare" in expected:
        got, want = report["compare"], expected["compare"]
        assert (got["first"], got["second"]) == (want["first"], want["second"])
        assert close(got["imps"], want["imps"], 3) and close(got["imps_se"], want["imps_se"], 3)
        assert close(got["mp_share"], want["mp_share"], 4)
    else:
        assert report["compare"] is None
    if "leads" in expected:
        assert [lead["card"] for lead in report["leads"]] == [l["card"] for l in expected["leads"]]
        for got, want in zip(report["leads"], expected["leads"]):
            assert close(got["defence_tricks"], want["defence_tricks"], 3)
            assert close(got["beats_pct"], want["beats_pct"], 2)
    else:
        assert report["leads"] is None
    assert report["table"] == expected.get("table")


def test_random_deals_match_ddsim():
    deal = "N:AKQ2.K32.A52.K32 - - -"
    where = "hcp(S) >= 8 && spades(S) >= 3"
    report = ddsolver.simulate(deal=deal, where=where, n=24, seed=7, contracts=["3N-W"],
                               compare=("3N-W", "4S-S"), leads="N", table=True, vul="EW",
                               threads=2)
    expected = ddsim("--deal", deal, "--where", where, "-n", "24", "--seed", "7", "--contract",
                     "3N-W", "--compare", "3N-W", "4S-S", "--leads", "N", "--table", "--vul", "EW",
                     "-j", "2")
    check_same(report, expected)
    assert report["deals"] == 24


def test_exact_run_matches_ddsim():
    # South lacks two cards: the fifteen unseen cards lie in 105 ways.
    deal = "N:AKQ2.K32.A52.K32 T987.QJT9.J9.T98 J54.A65.KQ4.AJ -"
    report = ddsolver.simulate(deal=deal, exact=True, contracts=["3N-S", "6N-S"])
    expected = ddsim("--deal", deal, "--exact", "--contract", "3N-S", "--contract", "6N-S")
    check_same(report, expected)
    assert report["deals"] == 105 and report["exact"]
    part = ddsolver.simulate(deal=deal, exact=True, range=(100, 200), contracts=["3N-S"])
    assert tuple(part["range"]) == (100, 105) and part["deals"] == 5


def test_defaults_deal_a_thousand_random_deals():
    report = ddsolver.simulate(where="hcp(N) >= 0")
    assert report["deals"] == 1000 and tuple(report["range"]) == (0, 1000)
    assert report["contracts"] == [] and report["table"] is None


def test_ctrl_c_stops_a_long_run():
    timer = threading.Timer(0.5, lambda: os.kill(os.getpid(), signal.SIGINT))
    timer.start()
    start = time.perf_counter()
    with pytest.raises(KeyboardInterrupt):
        ddsolver.simulate(n=1000000, contracts=["3N-N"], threads=2)
    assert time.perf_counter() - start < 20
    # The module runs normally afterwards.
    assert ddsolver.simulate(n=3, contracts=["3N-N"])["deals"] == 3
