// Solve driver of the single-position preferans solver: the records set up,
// the deal read into the suit lists, the root search and the trick counts.
#include "core/EntryChecks.h"
#include "ddsolver/compat/DealCodes.h"
#include "preferans/SolverInternal.h"

namespace preferans {

Solver::Solver() {
    for (int k = 0; k <= 10; k++) {
        records[k].solver = this;
        records[k].child = k >= 2 ? &records[k - 1] : nullptr;
    }
}

namespace {

// Marks every table entry unused by giving it the root's key, which no
// stored position can have. Eight entries, one cache line, per step: the
// plain loop is held up by its own bookkeeping, at twice the time.
constexpr uint32_t ENTRIES_PER_STEP = 8;
static_assert(Record::TABLE_SIZE % ENTRIES_PER_STEP == 0, "whole steps");

void emptyTable(Solver& sv, uint32_t rootKey) {
    HashEntry* e = sv.hashtable;
    HashEntry* const end = e + Record::TABLE_SIZE;
    for (; e != end; e += ENTRIES_PER_STEP) {
#pragma GCC unroll 8
        for (uint32_t i = 0; i < ENTRIES_PER_STEP; i++) e[i].key = rootKey;
    }
}

// Player index of a seat: seat 3 plays first of the three, then seats 0 and 1.
inline int playerOfSeat(int seat) {
    return seat == 0 || seat == 1 ? seat + 1 : 0;
}

// 32-card deal array value of a deal array code: the holder's player index
// for a card in a hand or on the table, anything else means not in play.
inline int holderOfCode(int code) {
    switch (code) {
        case 0:
            return 3;
        case 1:
        case 5:
            return 1;
        case 2:
        case 6:
            return 2;
        case 4:
        case 8:
            return 0;
        default:
            return code;
    }
}

// Deal array code of the card the seat after `leaderSeat` has put on the table.
inline int secondCardCode(int leaderSeat) {
    switch (leaderSeat) {
        case 0:
            return 6;
        case 1:
            return 8;
        default:
            return 5;
    }
}

}  // namespace

bool Solver::solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat, bool misere) {
    const Status problem = checkPreferansDeal(deal, trumpSuit, leaderSeat, declarerSeat, misere);
    if (problem != Status::Ok) return false;
    int deal32[32];
    int16_t leadSuit = -1, leadRank = -1, secondSuit = -1, secondRank = -1;
    const int ledCode = onTrickCode(leaderSeat);
    const int secondCode = secondCardCode(leaderSeat);
    for (int s = 0; s < 4; s++) {
        for (int r = 0; r < 8; r++) {
            const int code = deal[s * 13 + r];
            const int rank = 7 - r;
            deal32[s * 8 + rank] = holderOfCode(code);
            if (code == ledCode) {
                leadSuit = static_cast<int16_t>(s);
                leadRank = static_cast<int16_t>(rank);
            } else if (code == secondCode) {
                secondSuit = static_cast<int16_t>(s);
                secondRank = static_cast<int16_t>(rank);
            }
        }
    }
    return solve(deal32, trumpSuit, playerOfSeat(declarerSeat), playerOfSeat(leaderSeat), misere,
                 leadSuit, leadRank, secondSuit, secondRank);
}

bool Solver::solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
                   int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
                   int16_t secondRankPosition) {
    if (checkPreferansOwnForm(deal32, trumpSuit, declarer, leader, misere, leadSuit,
                              leadRankPosition, secondSuit, secondRankPosition) != Status::Ok)
        return false;
    Record* const P = records;
    mizer = misere;
    whose = static_cast<uint8_t>(declarer);
    trump = static_cast<signed char>(misere ? NO_TRUMP : trumpSuit);

    const int n = buildLists(deal32, true);
    emptyTable(*this, key);

    P[0].tricksLeft = 0;
    for (int k = 1; k <= n; k++) P[k].tricksLeft = k;
    Record& root = P[n];
    root.who[0] = static_cast<uint8_t>(leader);
    root.who[1] = static_cast<uint8_t>((leader + 1) % 3);
    root.who[2] = static_cast<uint8_t>((leader + 2) % 3);

    int score;
    int mover;
    if (leadSuit < 0) {
        for (int i = 0; i < 32; i++) {
            if (deal32[i] == leader) {
                bs = static_cast<int16_t>(i / 8);
                bc = static_cast<int16_t>(i % 8);
                break;
            }
        }
        score = root.first_generate(-n, n);
        mover = root.who[0];
    } else if (secondSuit < 0) {
        score = root.first_generate(-n, n, leadSuit, leadRankPosition);
        mover = root.who[1];
    } else {
        score =
            root.first_generate(-n, n, leadSuit, leadRankPosition, secondSuit, secondRankPosition);
        mover = root.who[2];
    }

    const int own = (n + score) / 2;  // the mover's side's tricks, or the other's in misere
    const int other = (n - score) / 2;
    const bool moverDeclares = mover == whose;
    const bool declarerGetsOwn = moverDeclares != misere;
    number_of_cards = static_cast<int16_t>(n);
    number_of_tricks_of_player = static_cast<int16_t>(declarerGetsOwn ? own : other);
    number_of_tricks_of_vist = static_cast<int16_t>(declarerGetsOwn ? other : own);
    return true;
}

}  // namespace preferans
