// Plain minimax over the bridge rules, for checking the engine on small positions.
// Written for obviousness rather than speed: hands are bit sets, every legal card
// is tried, and the exact value of each trick boundary is remembered.
#include "support/BridgeReference.h"

#include <cstdint>
#include <unordered_map>

namespace bridgeref {
namespace {

uint64_t bitOf(int card) {
    return uint64_t{1} << card;
}
uint64_t suitBits(int suit) {
    return uint64_t{0x1FFF} << (13 * suit);
}

bool refuse(std::string* reason, const char* text) {
    if (reason != nullptr) *reason = text;
    return false;
}

// Does `card` beat `than`, the card winning the trick so far?
bool beats(int card, int than, int trump) {
    if (suitOf(card) == suitOf(than)) return rankPositionOf(card) < rankPositionOf(than);
    return suitOf(card) == trump;
}

// Position (0..count-1, in playing order) of the card that wins the trick so far.
int winningPlace(const int* trick, int count, int trump) {
    int best = 0;
    for (int i = 1; i < count; ++i) {
        if (beats(trick[i], trick[best], trump)) best = i;
    }
    return best;
}

// The trick cards of a checked position, in playing order from the leader.
int collectTrick(const Position& position, int* trick) {
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        int seat = (position.leader + i) % 4;
        for (int card = 0; card < DECK_SIZE; ++card) {
            if (position.deal[card] == seat + 5) trick[count++] = card;
        }
    }
    return count;
}

// Cards the seat may play: the suit led when he holds it, else anything.
uint64_t legalCards(uint64_t hand, int ledSuit) {
    if (ledSuit >= 0 && (hand & suitBits(ledSuit)) != 0) return hand & suitBits(ledSuit);
    return hand;
}

class PlainSearch {
   public:
    explicit PlainSearch(int trump) : trump_(trump) {}

    uint64_t hand[4] = {0, 0, 0, 0};

    // North-South tricks among the tricks left, from a trick boundary where
    // `leader` leads. Exact, and remembered.
    int fromBoundary(int leader) {
        int left = __builtin_popcountll(hand[leader]);
        if (left == 0) return 0;
        if (left == 1) return lastTrick(leader);
        Key key{{hand[0], hand[1], hand[2], hand[3]}, leader};
        auto found = memo_.find(key);
        if (found != memo_.end()) return found->second;
        int trick[4];
        int value = inTrick(leader, trick, 0, -1, left + 1);
        memo_.emplace(key, value);
        return value;
    }

    // North-South tricks among the tricks left, this trick included, with
    // `played` cards of it already in trick[]. North-South maximise, East-West
    // minimise; fail-soft alpha-beta, exact whenever the answer lies strictly
    // inside (alpha, beta).
    int inTrick(int leader, int* trick, int played, int alpha, int beta) {
        if (played == 4) {
            int winner = (leader + winningPlace(trick, 4, trump_)) % 4;
            return (isNorthSouth(winner) ? 1 : 0) + fromBoundary(winner);
        }
        int seat = (leader + played) % 4;
        bool maximising = isNorthSouth(seat);
        uint64_t legal = legalCards(hand[seat], played == 0 ? -1 : suitOf(trick[0]));
        int best = maximising ? -1 : DECK_SIZE;
        for (uint64_t rest = legal; rest != 0; rest &= rest - 1) {
            int card = __builtin_ctzll(rest);
            hand[seat] &= ~bitOf(card);
            trick[played] = card;
            int value = inTrick(leader, trick, played + 1, alpha, beta);
            hand[seat] |= bitOf(card);
            if (maximising) {
                if (value > best) best = value;
                if (best > alpha) alpha = best;
            } else {
                if (value < best) best = value;
                if (best < beta) beta = best;
            }
            if (alpha >= beta) break;
        }
        return best;
    }

   private:
    // One card each: they fall in playing order, no choice left.
    int lastTrick(int leader) const {
        int trick[4];
        for (int i = 0; i < 4; ++i) trick[i] = __builtin_ctzll(hand[(leader + i) % 4]);
        return isNorthSouth((leader + winningPlace(trick, 4, trump_)) % 4) ? 1 : 0;
    }

    struct Key {
        uint64_t hands[4];
        int leader;
        bool operator==(const Key& other) const {
            for (int i = 0; i < 4; ++i) {
                if (hands[i] != other.hands[i]) return false;
            }
            return leader == other.leader;
        }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const {
            uint64_t h = static_cast<uint64_t>(key.leader);
            for (uint64_t part : key.hands) h = (h ^ part) * 0x9E3779B97F4A7C15ull;
            return static_cast<size_t>(h ^ (h >> 29));
        }
    };

    int trump_;
    std::unordered_map<Key, int, KeyHash> memo_;
};

// A checked position made ready to search: a completed trick is settled first,
// so the trick in progress holds 0 to 3 cards.
struct Loaded {
    explicit Loaded(const Position& position) : search(position.trump) {
        for (int card = 0; card < DECK_SIZE; ++card) {
            int code = position.deal[card];
            if (code >= 1 && code <= 4) search.hand[code - 1] |= bitOf(card);
        }
        leader = position.leader;
        played = collectTrick(position, trick);
        tricks = tricksLeft(position);
        if (played == 4) {
            leader = (leader + winningPlace(trick, 4, position.trump)) % 4;
            settledNorthSouth = isNorthSouth(leader) ? 1 : 0;
            played = 0;
        }
    }

    // North-South tricks among all `tricks`, the settled trick included.
    int northSouth() {
        int rest = played == 0 ? search.fromBoundary(leader)
                               : search.inTrick(leader, trick, played, -1, tricks + 1);
        return settledNorthSouth + rest;
    }

    PlainSearch search;
    int leader;
    int trick[4];
    int played;
    int tricks;
    int settledNorthSouth = 0;
};

}  // namespace

bool checkPosition(const Position& position, std::string* reason) {
    if (position.trump < 0 || position.trump > NO_TRUMP)
        return refuse(reason, "trump out of range");
    if (position.leader < 0 || position.leader > 3) return refuse(reason, "leader out of range");
    int held[4] = {0, 0, 0, 0};
    int onTrick[4] = {0, 0, 0, 0};
    int trickCard[4] = {-1, -1, -1, -1};
    for (int card = 0; card < DECK_SIZE; ++card) {
        int code = position.deal[card];
        if (code < 0 || code > 8) return refuse(reason, "card code out of range");
        if (code >= 1 && code <= 4) ++held[code - 1];
        if (code >= 5) {
            ++onTrick[code - 5];
            trickCard[code - 5] = card;
        }
    }
    int count = 0;
    for (int seat = 0; seat < 4; ++seat) {
        if (onTrick[seat] > 1) return refuse(reason, "a seat has two cards on the trick");
        count += onTrick[seat];
    }
    for (int i = 0; i < 4; ++i) {
        int seat = (position.leader + i) % 4;
        if (onTrick[seat] != (i < count ? 1 : 0)) {
            return refuse(reason, "trick cards must come from the leader and the seats after him");
        }
    }
    for (int seat = 1; seat < 4; ++seat) {
        if (held[seat] + onTrick[seat] != held[0] + onTrick[0]) {
            return refuse(reason, "hands of unequal size");
        }
    }
    for (int i = 1; i < count; ++i) {
        int seat = (position.leader + i) % 4;
        int ledSuit = suitOf(trickCard[position.leader]);
        if (suitOf(trickCard[seat]) == ledSuit) continue;
        for (int rank = 0; rank < 13; ++rank) {
            if (position.deal[cardIndex(ledSuit, rank)] == seat + 1) {
                return refuse(reason, "a seat on the trick revoked");
            }
        }
    }
    return true;
}

int cardsOnTrick(const Position& position) {
    int count = 0;
    for (int code : position.deal) count += (code >= 5 && code <= 8) ? 1 : 0;
    return count;
}

int tricksLeft(const Position& position) {
    int count = 0;
    for (int code : position.deal) count += (code >= 1 && code <= 8) ? 1 : 0;
    return count / 4;
}

int seatToMove(const Position& position) {
    int trick[4];
    int count = collectTrick(position, trick);
    if (count < 4) return (position.leader + count) % 4;
    return (position.leader + winningPlace(trick, 4, position.trump)) % 4;
}

bool solveSmall(const Position& position, Tricks* result) {
    if (!checkPosition(position)) return false;
    Loaded loaded(position);
    int northSouth = loaded.northSouth();
    result->northSouth = northSouth;
    result->eastWest = loaded.tricks - northSouth;
    return true;
}

bool evaluateCards(const Position& position, std::vector<CardValue>* values) {
    if (!checkPosition(position)) return false;
    Loaded loaded(position);
    values->clear();
    int mover = (loaded.leader + loaded.played) % 4;
    int ledSuit = loaded.played == 0 ? -1 : suitOf(loaded.trick[0]);
    uint64_t& hand = loaded.search.hand[mover];
    for (uint64_t rest = legalCards(hand, ledSuit); rest != 0; rest &= rest - 1) {
        int card = __builtin_ctzll(rest);
        hand &= ~bitOf(card);
        loaded.trick[loaded.played] = card;
        int northSouth = loaded.settledNorthSouth +
                         loaded.search.inTrick(loaded.leader, loaded.trick, loaded.played + 1, -1,
                                               loaded.tricks + 1);
        hand |= bitOf(card);
        int side = isNorthSouth(mover) ? northSouth : loaded.tricks - northSouth;
        values->push_back(CardValue{card, side});
    }
    return true;
}

int bestValue(const std::vector<CardValue>& values) {
    int best = -1;
    for (const CardValue& value : values) {
        if (value.sideTricks > best) best = value.sideTricks;
    }
    return best;
}

int valueOfCard(const std::vector<CardValue>& values, int card) {
    for (const CardValue& value : values) {
        if (value.card == card) return value.sideTricks;
    }
    return -1;
}

}  // namespace bridgeref
