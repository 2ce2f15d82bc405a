#!/usr/bin/env python3
"""Prints constructed bridge deals that are hard for double-dummy solvers:
the four hands hold one suit pattern rotated across the suits (North
a-b-c-d in spades, hearts, diamonds, clubs; East d-a-b-c; South c-d-a-b;
West b-c-d-a), and within each suit the ranks are dealt to its holders in
turn (one card or two at a time, starting at a different hand in each
suit: the suit's longest hand for one at a time, its partner for two),
so that every suit has long interleaved holdings.

Usage: bench/rotated_deals.py > bench/data/rotated_deals.pbn
"""

PATTERNS = [(4, 5, 4, 0), (5, 4, 3, 1), (6, 4, 3, 0), (5, 5, 3, 0), (4, 4, 4, 1), (7, 3, 2, 1)]
RANKS = "AKQJT98765432"
SEATS = "NESW"


def lengths(pattern, seat):
    # Seat k's length in suit s is pattern[(s - k) mod 4].
    return [pattern[(s - seat) % 4] for s in range(4)]


def deal(pattern, step):
    hands = [[[] for _ in range(4)] for _ in range(4)]
    for s in range(4):
        want = [lengths(pattern, seat)[s] for seat in range(4)]
        seat = (s + (0 if step == 1 else 2)) % 4
        rank = 0
        while rank < 13:
            for _ in range(step):
                while len(hands[seat][s]) >= want[seat]:
                    seat = (seat + 1) % 4
                hands[seat][s].append(RANKS[rank])
                rank += 1
                if rank == 13:
                    break
            seat = (seat + 1) % 4
    text = " ".join(".".join("".join(suit) for suit in hand) for hand in hands)
    return "N:" + text


def main():
    print("# Rotated-pattern deals from bench/rotated_deals.py: pattern, ranks dealt one or two at a time")
    for pattern in PATTERNS:
        for step in (1, 2):
            print(deal(pattern, step), " # %s, %d at a time" % ("-".join(map(str, pattern)), step))


main()
