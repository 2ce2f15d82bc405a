# Every refusal raises ddsolver.Error with the status's message and its detail.
import pytest

import ddsolver

DEAL = "N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3"


@pytest.mark.parametrize("call, message", [
    # Deals
    (lambda: ddsolver.dd_table("N:AKQ.."), "a hand needs four suits separated by dots"),
    (lambda: ddsolver.dd_table(DEAL.replace("KJ3", "KJ2")), "card C2 appears twice"),
    (lambda: ddsolver.dd_table("N:A... K... Q... J..."), "hand N has 1 cards"),
    (lambda: ddsolver.dd_tables([DEAL, DEAL + " x"]), "deal 1"),
    (lambda: ddsolver.dd_tables([DEAL], threads=0), "negative number of threads"),
    # Tables and par
    (lambda: ddsolver.dd_table(DEAL)["X"], "declarer not a seat of the game"),
    (lambda: ddsolver.dd_table(DEAL)["N", "Z"], "strain out of range"),
    (lambda: ddsolver.par(ddsolver.dd_table(DEAL), vul="Red"), "unknown vulnerability"),
    (lambda: ddsolver.par({"N": {}}), "row N has no S"),
    # Positions and play
    (lambda: ddsolver.solve(DEAL, "X", "N"), "strain out of range"),
    (lambda: ddsolver.solve(DEAL, "NT", "Q"), "leader not a seat of the game"),
    (lambda: ddsolver.solve(DEAL, "NT", "N", played=["S1"]), "not a card of the game"),
    (lambda: ddsolver.solve("N:AQ... .32.. 54... K3...", "NT", "S", played=["S4", "SQ"]),
     "uneven hands"),
    (lambda: ddsolver.analyse_play(DEAL, "S", "E", ["H5"]), "card 1 (H5)"),
    (lambda: ddsolver.analyse_play(DEAL, "S", "E", ["D4", "C2"]),
     "a revoke: the player holds the suit led: card 2 (C2)"),
    (lambda: ddsolver.analyse_play("N:AQ... .32.. 54... K3...", "S", "E", []),
     "a hand has the wrong number of cards"),
    # Preferans
    (lambda: ddsolver.pref_solve("N:A... K... Q... J...", "NT", "N", "E"),
     "cards held by a seat that does not play"),
    (lambda: ddsolver.pref_histogram("aqjt9.ak*7*8.kq.x", 0, 10, 0, 1), "invalid symbol"),
    (lambda: ddsolver.pref_histogram("aqjt9.ak*7*8.kq.a", 0, 10, -1, 1), "contract is 0-3"),
    (lambda: ddsolver.pref_histogram("aqjt9.ak*7*8.kq.a", 0, 10, 0, 3), "leader is 0"),
    # Simulation
    (lambda: ddsolver.simulate(contracts=["8S-N"]), 'e.g. 4S-N: "8S-N"'),
    (lambda: ddsolver.simulate(compare=("3N-S", "3NT-S")), "two different contracts"),
    (lambda: ddsolver.simulate(where="hcp(N) >= "),
     "the constraint expression is not valid: column 11"),
    (lambda: ddsolver.simulate(deal="N:AK - - -"), "four suits"),
    (lambda: ddsolver.simulate(deal="N:AKQ2.K32.A52.K32 - - -", unseen="A..."), "a card is both known and unseen"),
    (lambda: ddsolver.simulate(exact=True), "too many layouts for an exact run"),
    (lambda: ddsolver.simulate(exact=True, n=5), "give range"),
    (lambda: ddsolver.simulate(contracts=["3N-S"], leads="W"),
     "the opening leader's hand is not wholly known"),
    (lambda: ddsolver.simulate(deal=DEAL, contracts=["3N-S"], leads="E"),
     "the seat leads against none of the contracts"),
    (lambda: ddsolver.simulate(where="hcp(N) > 36", n=1), "no deal met the constraints"),
    (lambda: ddsolver.simulate(n=0), "n needs"),
])
def test_refusals(call, message):
    with pytest.raises(ddsolver.Error) as raised:
        call()
    assert message in str(raised.value)


def test_error_is_a_value_error_and_help_explains_the_calls():
    assert issubclass(ddsolver.Error, ValueError)
    assert "PBN" in ddsolver.dd_table.__doc__
    assert "threads" in ddsolver.dd_tables.__doc__
    assert ddsolver.__version__.count(".") == 2
