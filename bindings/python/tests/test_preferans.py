# Preferans positions counted by hand and the hidden-layout analysis against
# the ddsolver program.
import subprocess

import ddsolver
from conftest import program


def test_histogram_matches_the_program():
    expected = [0, 0, 0, 0, 0, 0, 0, 510, 1490, 0, 0]
    assert ddsolver.pref_histogram("aqjt9.ak*7*8.kq.a", 0, 2000, 0, 1) == expected
    # Ranges add up, whatever the thread count.
    halves = [ddsolver.pref_histogram("aqjt9.ak*7*8.kq.a", a, b, 0, 1, threads=1)
              for a, b in ((0, 700), (700, 2000))]
    assert [x + y for x, y in zip(*halves)] == expected


def test_histogram_numbering_of_contract_and_leader():
    # Misere (5) with West (2) leading, and contracts above 5 playing as no trump.
    for args in (("akqj.akq.a*k*q9.t", "0-300", "5", "2"), ("akqj.akq.a*k*q9.t", "0-300", "7", "1")):
        out = subprocess.run([program("ddsolver"), *args], capture_output=True, text=True,
                             check=True).stdout
        a, b = (int(x) for x in args[1].split("-"))
        got = ddsolver.pref_histogram(args[0], a, b, int(args[2]), int(args[3]))
        assert got == [int(x) for x in out.split()]
        assert sum(got) == 300


def test_positions_counted_by_hand():
    # North (no trumps) holds the heart ace and seven; East a heart and the
    # spade queen, trumps. The ace first wins one trick; the seven first loses
    # both, East ruffing the ace.
    position = "N:.A7.. Q.8.. ... .T9.."
    result = ddsolver.pref_solve(position, "S", "N", "N")
    assert (result.declarer, result.defenders) == (1, 1)
    assert result.cards == {"HA": 1, "H7": 0}
    # In no trump West's heart beats the seven whichever comes first.
    assert ddsolver.pref_solve(position, "NT", "N", "N").cards == {"HA": 1, "H7": 1}
    # Misere: the declarer leading low sevens and eights takes nothing.
    misere = ddsolver.pref_solve("N:87... AK... ... QJ...", "", "N", "N", misere=True)
    assert misere.declarer == 0 and set(misere.cards) == {"S8", "S7"}


def test_a_card_on_the_trick():
    # North led the ace; East must follow with the eight, West chooses.
    result = ddsolver.pref_solve("N:.A7.. Q.8.. ... .T9..", "S", "N", "N", played=["HA"])
    assert result.cards == {"H8": 1}
    assert result.declarer == 1
