// Example host program: links the solver, solves one position and has every
// card that the player to move could play valued through estimateAll.
//
//   estimate_host POSITION [CARD]
//
// POSITION is the 57-character position string of the ddsolver command line;
// for bridge, character 53 names the seat that led the current trick (or is
// to lead it), and cards may already lie on the trick. CARD is the card the
// player to move plays, as suit and rank letters ("SA", "h9"); by default the
// solver's best card.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "BridgePosition.h"
#include "DealCodes.h"
#include "frontend/PositionString.h"

namespace {

const char SUIT_LETTERS[] = "SHDC";    // suits 0 to 3
const char RANKS[] = "AKQJT98765432";  // rank positions 0 (ace) to 12 (two)

// "SA" for card index 0 (suit 0, ace), "C2" for 51.
void printCard(int card) {
    std::printf("%c%c", SUIT_LETTERS[card / CARDS_PER_SUIT], RANKS[card % CARDS_PER_SUIT]);
}

// The card index of a name such as "SA" or "h9", or -1.
int parseCardName(const char* name) {
    if (std::strlen(name) != 2) return -1;
    const char* suit = std::strchr(SUIT_LETTERS, std::toupper(static_cast<unsigned char>(name[0])));
    const char* rank = std::strchr(RANKS, std::toupper(static_cast<unsigned char>(name[1])));
    if (suit == nullptr || rank == nullptr || *suit == '\0' || *rank == '\0') return -1;
    return static_cast<int>(suit - SUIT_LETTERS) * CARDS_PER_SUIT + static_cast<int>(rank - RANKS);
}

// The solver hands out each value as soon as it has it; 100 marks a card
// listed at once whose value follows later.
void printValue(void*, int card, int value) {
    printCard(card);
    if (value == 100) {
        std::printf(" to come\n");
    } else {
        std::printf(" %d\n", value);
    }
}

bool decode(const char* text, DecodedPosition& position) {
    if (std::strlen(text) < static_cast<size_t>(POSITION_LENGTH)) return false;
    position = decodePosition(text);
    if (!position.bridge) return checkPosition(position).empty();
    // Bridge: the solve itself refuses hands of unequal size or a trick with a gap.
    for (int code : position.deal) {
        if (code < CODE_OUT_OF_PLAY || code >= CODE_COUNT) return false;
    }
    return position.trump >= 0 && position.trump <= NO_TRUMP && position.leader >= 0 &&
           position.leader < BRIDGE_SEATS;
}

// Seat to play: switchMove steps from the trick's leader past the cards
// already on the trick.
int seatToMove(const DecodedPosition& position) {
    BridgePosition::firstmove = position.leader;
    BridgePosition::nextmove = position.leader;
    BridgePosition::switchMove(position.deal, position.bridge);
    return BridgePosition::nextmove;
}

int run(const DecodedPosition& position, const char* cardName) {
    const int mover = seatToMove(position);
    if (!BridgePosition::solve(position.deal, position.trump, position.leader, position.declarer,
                               position.bridge, position.misere, true)) {
        std::printf("the solver refuses this position\n");
        return 1;
    }
    if (position.bridge) {
        std::printf("North-South %d, East-West %d tricks\n", BridgePosition::NorthSouthTricks,
                    BridgePosition::EastWestTricks);
    } else {
        std::printf("declarer %d, defenders %d tricks\n", BridgePosition::EastWestTricks,
                    BridgePosition::NorthSouthTricks);
    }
    if (BridgePosition::bs < 0) {
        std::printf("no card left to play\n");
        return 0;
    }
    const int best = BridgePosition::bs * CARDS_PER_SUIT + 12 - BridgePosition::bc;
    const int played = cardName != nullptr ? parseCardName(cardName) : best;
    if (played < 0 || position.deal[played] != inHandCode(mover)) {
        std::printf("seat %d holds no such card\n", mover);
        return 1;
    }
    // The position after the move: the card goes from the hand to the trick.
    int after[52];
    std::memcpy(after, position.deal, sizeof after);
    after[played] = onTrickCode(mover);
    std::printf("best card ");
    printCard(best);
    std::printf(", seat %d plays ", mover);
    printCard(played);
    std::printf("\n");
    BridgePosition::estimateAll(position.deal, after, position.trump, position.leader,
                                position.declarer, position.bridge, position.misere, 3, printValue,
                                nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    DecodedPosition position;
    if ((argc != 2 && argc != 3) || !decode(argv[1], position)) {
        std::printf("usage: estimate_host POSITION [CARD]  (POSITION: 57 characters)\n");
        return 2;
    }
    // Bridge needs its tables (about 275 MB) for as long as it solves.
    if (position.bridge && !BridgePosition::allocateTables()) {
        std::printf("cannot allocate the bridge tables\n");
        return 1;
    }
    const int status = run(position, argc == 3 ? argv[2] : nullptr);
    if (position.bridge) BridgePosition::freeTables();
    return status;
}
