// Fuzz target: the host entries BridgePosition::solve, estimateAll and
// switchMove and both PrefPosition::solve overloads on arbitrary deal arrays,
// trumps, seats and levels, and on positions dealt from the bytes. A refused
// call must leave every result as it was; an accepted one must give the two
// sides all the tricks left, a best card of the seat to move worth the most,
// and, in a small position, the plain-minimax references' trick counts and
// card values.
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "core/EntryChecks.h"
#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/DealCodes.h"
#include "ddsolver/compat/PrefPosition.h"
#include "support/BridgeReference.h"
#include "support/PrefReference.h"

namespace {

constexpr int TO_COME = 100;
constexpr int MAX_BRIDGE_TRICKS = 3;  // every new bridge deal clears the whole table
constexpr int MAX_REFERENCE_PREFERANS_TRICKS = 6;

struct Request {
    int deal[DEAL_CARDS];
    int trump, leader, declarer, level;
    bool bridge, misere, trumpChanged;
    bool dealt;  // dealt by the rules, not spoilt afterwards
};

Request readRequest(ByteReader& in) {
    Request r{};
    const uint8_t flags = in.byte();
    r.bridge = flags & 1;
    r.misere = flags & 4;
    r.trumpChanged = flags & 8;
    r.trump = in.between(-1, 5);
    r.declarer = in.between(-1, 4);
    r.level = in.between(-1, 5);
    if (flags & 2) {  // raw codes, most of them in range
        r.leader = in.between(-1, 4);
        for (int& code : r.deal) code = in.below(12) - 1;
        return r;
    }
    r.leader = r.bridge ? in.below(BRIDGE_SEATS) : PREFERANS_SEATS[in.below(3)];
    const int tricks = r.bridge ? in.between(0, MAX_BRIDGE_TRICKS) : in.between(0, 10);
    const int onTrick = r.bridge ? in.between(0, 4) : in.between(0, 2);
    dealPosition(in, r.bridge, tricks, onTrick, r.leader, r.deal);
    r.dealt = r.trump >= 0 && r.trump <= NO_TRUMP &&
              (r.bridge || (r.declarer >= 0 && r.declarer != 2 && r.declarer < 4));
    if (flags & 16) {  // near-valid: a few cards recoded
        r.dealt = false;
        for (int k = in.between(1, 3); k > 0; k--)
            r.deal[in.below(DEAL_CARDS)] = in.between(-2, 10);
    }
    return r;
}

auto resultFields() {
    return std::make_tuple(
        BridgePosition::EastWestTricks, BridgePosition::NorthSouthTricks, BridgePosition::bc,
        BridgePosition::bs, BridgePosition::nextmove, PrefPosition::number_of_tricks_of_player,
        PrefPosition::number_of_tricks_of_vist, PrefPosition::bc, PrefPosition::bs);
}

bridgeref::Position referencePosition(const Request& r, int trump) {
    bridgeref::Position p;
    for (int card = 0; card < DEAL_CARDS; card++) p.deal[card] = r.deal[card];
    p.trump = trump;
    p.leader = r.leader;
    return p;
}

// A solved bridge position: the best card is the mover's and worth the most,
// and the counts are the reference's under the trump in force.
void checkBridgeSolve(const Request& r) {
    const bridgeref::Position p = referencePosition(r, BridgePosition::trump);
    if (!bridgeref::checkPosition(p)) return;  // e.g. a revoke on the trick
    bridgeref::Tricks tricks;
    FUZZ_CHECK(bridgeref::solveSmall(p, &tricks));
    FUZZ_CHECK(tricks.northSouth == BridgePosition::NorthSouthTricks);
    if (BridgePosition::bs < 0) return;
    std::vector<bridgeref::CardValue> values;
    FUZZ_CHECK(bridgeref::evaluateCards(p, &values));
    const int best = bridgeref::cardFromSuitAndRank(BridgePosition::bs, BridgePosition::bc);
    FUZZ_CHECK(bridgeref::valueOfCard(values, best) == bridgeref::bestValue(values));
}

// The seat to move and a card of his put on the trick, or false when the
// trick is full or he holds nothing.
bool playOneCard(const Request& r, ByteReader& in, int after[DEAL_CARDS], int& mover) {
    const int* seats = r.bridge ? nullptr : PREFERANS_SEATS;
    const int seatCount = r.bridge ? BRIDGE_SEATS : 3;
    int onTrick = 0;
    for (int code : r.deal) onTrick += code >= onTrickCode(0) && code < CODE_COUNT;
    if (onTrick >= seatCount) return false;
    if (r.bridge) {
        mover = (r.leader + onTrick) % BRIDGE_SEATS;
    } else {
        const int* place = std::find(seats, seats + seatCount, r.leader);
        if (place == seats + seatCount) return false;
        mover = seats[(place - seats + onTrick) % seatCount];
    }
    std::vector<int> held;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (r.deal[card] == inHandCode(mover)) held.push_back(card);
    }
    if (held.empty()) return false;
    std::copy(r.deal, r.deal + DEAL_CARDS, after);
    after[held[in.below(static_cast<int>(held.size()))]] = onTrickCode(mover);
    return true;
}

struct Reported {
    std::map<int, int> last;  // card -> last value
    int tricksLeft;
};

void onValue(void* context, int card, int value) {
    Reported& reported = *static_cast<Reported*>(context);
    FUZZ_CHECK(card >= 0 && card < DEAL_CARDS);
    FUZZ_CHECK(value == TO_COME || (value >= 0 && value <= reported.tricksLeft));
    reported.last[card] = value;
}

void checkEstimate(const Request& r, bool solved, ByteReader& in) {
    int after[DEAL_CARDS];
    int mover = 0;
    const bool move = playOneCard(r, in, after, mover);
    if (!move || in.flag()) {  // arbitrary arrays as well
        std::copy(r.deal, r.deal + DEAL_CARDS, after);
        for (int k = in.below(3); k > 0; k--) after[in.below(DEAL_CARDS)] = in.between(-1, 9);
    }
    Reported reported{{}, tricksLeft(r.deal, r.bridge)};
    const auto before =
        std::make_tuple(BridgePosition::EastWestTricks, BridgePosition::NorthSouthTricks,
                        BridgePosition::bc, BridgePosition::bs, BridgePosition::nextmove);
    BridgePosition::estimateAll(r.deal, after, static_cast<signed char>(r.trump), r.leader,
                                r.declarer, r.bridge, r.misere, r.level, onValue, &reported);
    if (r.bridge) {
        FUZZ_CHECK(before == std::make_tuple(BridgePosition::EastWestTricks,
                                             BridgePosition::NorthSouthTricks, BridgePosition::bc,
                                             BridgePosition::bs, BridgePosition::nextmove));
    }
    // Values against the references, for a position solved just before.
    if (!solved || !move || (r.level != 3 && r.level != 4)) return;
    if (r.bridge) {
        const bridgeref::Position p = referencePosition(r, BridgePosition::trump);
        std::vector<bridgeref::CardValue> values;
        if (!bridgeref::evaluateCards(p, &values)) return;
        for (const auto& [card, value] : reported.last) {
            FUZZ_CHECK(bridgeref::valueOfCard(values, card) == value);
        }
    } else if (reported.tricksLeft <= MAX_REFERENCE_PREFERANS_TRICKS) {
        PrefReference reference(r.deal, r.trump, r.leader, r.declarer, r.misere);
        for (const auto& [card, value] : reported.last) {
            const int declarer = reference.declarerTricksAfter(card);
            const bool declares = r.deal[card] == inHandCode(r.declarer);
            FUZZ_CHECK(value == (declares ? declarer : reported.tricksLeft - declarer));
        }
    }
}

void checkSwitchMove(const Request& r, ByteReader& in) {
    BridgePosition::firstmove = in.between(-1, 4);
    BridgePosition::nextmove = -7;
    BridgePosition::switchMove(r.deal, r.bridge);
    const int next = BridgePosition::nextmove;
    FUZZ_CHECK(next == -7 || (next >= 0 && next < 4 && (r.bridge || next != 2)));
}

// The preferans solver's own form on arbitrary holders and trick cards.
void checkOwnForm(ByteReader& in) {
    int deal32[32];
    for (int& holder : deal32) holder = in.below(5) - 1;
    const int trump = in.between(-1, 5), declarer = in.between(-1, 3), leader = in.between(-1, 3);
    const bool misere = in.flag();
    int16_t trick[4];
    for (int16_t& t : trick) t = static_cast<int16_t>(in.between(-1, 8));
    const auto before = resultFields();
    PrefPosition::solve(deal32, trump, declarer, leader, misere, trick[0], trick[1], trick[2],
                        trick[3], true);
    if (checkPreferansOwnForm(deal32, trump, declarer, leader, misere, trick[0], trick[1], trick[2],
                              trick[3]) != Status::Ok) {
        FUZZ_CHECK(resultFields() == before);
        return;
    }
    FUZZ_CHECK(PrefPosition::number_of_tricks_of_player + PrefPosition::number_of_tricks_of_vist ==
               PrefPosition::number_of_cards);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FUZZ_CHECK(BridgePosition::allocateTables());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader in(data, size);
    const Request r = readRequest(in);
    int inPlay = 0;
    for (int code : r.deal) inPlay += code > CODE_OUT_OF_PLAY && code < CODE_COUNT;
    if (r.bridge && inPlay > BRIDGE_SEATS * MAX_BRIDGE_TRICKS) {
        checkSwitchMove(r, in);  // larger deals would take a full search each
        return 0;
    }
    const auto before = resultFields();
    const bool solved = BridgePosition::solve(r.deal, static_cast<char>(r.trump), r.leader,
                                              r.declarer, r.bridge, r.misere, r.trumpChanged);
    if (r.dealt) FUZZ_CHECK(solved);  // every position dealt by the rules is taken
    if (!solved) {
        FUZZ_CHECK(resultFields() == before);
    } else {
        const int left = tricksLeft(r.deal, r.bridge);
        FUZZ_CHECK(BridgePosition::EastWestTricks + BridgePosition::NorthSouthTricks == left);
        if (r.bridge) {
            checkBridgeSolve(r);
        } else if (left <= MAX_REFERENCE_PREFERANS_TRICKS) {
            PrefReference reference(r.deal, r.trump, r.leader, r.declarer, r.misere);
            FUZZ_CHECK(reference.declarerTricks() == BridgePosition::EastWestTricks);
        }
    }
    checkEstimate(r, solved, in);
    checkSwitchMove(r, in);
    if (in.flag()) checkOwnForm(in);
    return 0;
}
