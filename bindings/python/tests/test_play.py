# Positions and play review: hand-counted endings, the published tables and
# the ddplay program.
import json
import subprocess

import ddsolver
from conftest import program, published_deals

# Spade ace-queen over the king: the finesse works when the king sits with
# West (second hand when South leads), not when it sits with East.
KING_WEST = "N:AQ... .32.. 54... K3..."
KING_EAST = "N:AQ... K3... 54... .32.."


def test_finesse_endings_counted_by_hand():
    assert ddsolver.solve(KING_WEST, "NT", "S").north_south == 2
    onside = ddsolver.solve(KING_WEST, "NT", "S")
    assert (onside.east_west, onside.cards) == (0, {"S5": 2, "S4": 2})
    offside = ddsolver.solve(KING_EAST, "NT", "S")
    assert (offside.north_south, offside.east_west) == (1, 1)
    # North leading gives up the finesse whoever holds the king.
    assert ddsolver.solve(KING_WEST, "NT", "N").cards == {"SA": 1, "SQ": 1}


def test_cards_on_the_trick_are_taken_from_the_hands():
    # South led the four, West followed low: the queen wins, the ace would not.
    result = ddsolver.solve(KING_WEST, "NT", "S", played=["S4", "S3"])
    assert result.cards == {"SQ": 2, "SA": 1}
    assert result.north_south == 2 and result.best == "SQ"
    # The same with the played cards already out of the text.
    assert ddsolver.solve("N:AQ... .32.. 5... K...", "NT", "S",
                          played=["S4", "S3"]).cards == result.cards


def test_opening_leads_agree_with_the_published_table():
    dealer, vul, deal, numbers, _, _ = published_deals()[4]
    # Declarer South in hearts (strain 1), West leading: the defence's best lead
    # leaves South the published tricks.
    result = ddsolver.solve(deal, "H", "W")
    assert result.north_south == numbers[4 * 1 + 2]
    assert max(result.cards.values()) == 13 - numbers[4 * 1 + 2]
    assert len(result.cards) == 13


def test_analyse_play_matches_ddplay():
    deal = "N:A6.J8.AJT985.T94 QT72.7432.3.K873 J9854.AKT95.76.Q K3.Q6.KQ42.AJ652"
    cards = "H2 HK H6 HJ S9 S3 SA S7 H8 H7".split()
    out = subprocess.run([program("ddplay"), "--deal", deal, "--strain", "C", "--leader", "E",
                          "--cards", " ".join(cards), "--format", "json"],
                         capture_output=True, text=True, check=True).stdout
    review = json.loads(out.splitlines()[0])
    tricks = ddsolver.analyse_play(deal, "C", "E", cards)
    assert tricks == [review["start"]] + [card["tricks"] for card in review["cards"]]
    assert len(tricks) == len(cards) + 1
    assert ddsolver.analyse_play(deal, "C", "E", []) == [review["start"]]
