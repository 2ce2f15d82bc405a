// Preferans double-dummy solver: suit lists, card-set key and transposition
// table, reply generation, the trick-by-trick alpha-beta search, the root
// search for 0, 1 or 2 cards on the table, and the solve drivers.
#include "PrefPosition.h"

#include "CardList.h"

// ---------------------------------------------------------------------------
// Static state
// ---------------------------------------------------------------------------

PrefPosition P[11];

PrefPosition::ListItem PrefPosition::T[32];
PrefPosition::ListItem PrefPosition::S[4];
PrefPosition::ListItem PrefPosition::Q[4];
signed char PrefPosition::trump;
uint8_t PrefPosition::whose;
bool PrefPosition::mizer;
PrefPosition::HashEntry PrefPosition::hashtable[PrefPosition::TABLE_SIZE];

int16_t PrefPosition::number_of_cards;
int16_t PrefPosition::number_of_tricks_of_player;
int16_t PrefPosition::number_of_tricks_of_vist;
int16_t PrefPosition::bc;
int16_t PrefPosition::bs;
uint64_t PrefPosition::node_count;

// Card bit of every card in play, at index rank * 4 + suit.
static uint32_t index[32];
// Set of the cards not in any hand; identifies the position within one solve.
static uint32_t ZobristKey;

// Inlining hints for the search's hot path, where the compiler supports them.
#if defined(__GNUC__)
#define PREF_NOINLINE __attribute__((noinline))
#define PREF_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define PREF_NOINLINE
#define PREF_ALWAYS_INLINE inline
#endif

namespace {

using ListItem = PrefPosition::ListItem;

constexpr int NO_TRUMP = 4;
constexpr uint8_t KIND_EXACT = 0;
constexpr uint8_t KIND_UPPER = 1;
constexpr uint8_t KIND_LOWER = 2;

// Suit s owns byte s of the key, the ace in its lowest bit and the seven in its highest.
inline uint32_t cardBit(int suit, int rank) {
    return 1u << (suit * 8 + 7 - rank);
}

inline void play(ListItem* x) {
    unlinkCard(x);
    ZobristKey ^= index[x->rank * 4 + x->suit];
}

inline void takeBack(ListItem* x) {
    relinkCard(x);
    ZobristKey ^= index[x->rank * 4 + x->suit];
}

// Whether card x, played earlier to the trick, beats card y played after it.
inline bool beats(int xSuit, int xRank, int ySuit, int yRank) {
    return xSuit == ySuit ? xRank > yRank : ySuit != PrefPosition::trump;
}

// Position in playing order (0, 1 or 2) of the card that wins the trick.
inline int trickWinner(int leadSuit, int leadRank, int suit2, int rank2, int suit3, int rank3) {
    if (beats(leadSuit, leadRank, suit2, rank2)) {
        return beats(leadSuit, leadRank, suit3, rank3) ? 0 : 2;
    }
    return beats(suit2, rank2, suit3, rank3) ? 1 : 2;
}

// Whether the winner at position w of the order `who` is on who[mover]'s side:
// two players are partners exactly when neither is the declarer.
inline bool winnerOnSideOf(const uint8_t* who, int w, int mover) {
    if (w == mover) return true;
    int other = 3 - w - mover;  // the third position
    return who[other] == PrefPosition::whose;
}

// Appends to `list` the first card of every run of `owner`'s cards met while
// walking suit s from its lowest card up; any other card ends a run.
inline int32_t appendRunsUp(int suit, uint8_t owner, ListItem** list, int32_t n) {
    bool open = true;
    for (ListItem* c = PrefPosition::S[suit].higher; c != &PrefPosition::Q[suit]; c = c->higher) {
        if (c->owner == owner) {
            if (open) list[n++] = c;
            open = false;
        } else {
            open = true;
        }
    }
    return n;
}

// The same for the second and third player of `rec` in one walk, each into
// his own list; the walk goes from the top down when `Down` is set.
template <bool Down>
inline void appendRunsOfBoth(PrefPosition& rec, int suit) {
    const uint8_t a = rec.who[1];
    const uint8_t b = rec.who[2];
    ListItem* const end = Down ? &PrefPosition::S[suit] : &PrefPosition::Q[suit];
    bool openA = true;
    bool openB = true;
    for (ListItem* c = Down ? PrefPosition::Q[suit].lower : PrefPosition::S[suit].higher; c != end;
         c = Down ? c->lower : c->higher) {
        if (c->owner == a) {
            if (openA) rec.moves2[rec.nmoves2++] = c;
            openA = false;
            openB = true;
        } else if (c->owner == b) {
            if (openB) rec.moves3[rec.nmoves3++] = c;
            openB = false;
            openA = true;
        } else {
            openA = openB = true;
        }
    }
}

inline bool isDiscardSuit(int suit, int leadSuit) {
    return suit != leadSuit && suit != PrefPosition::trump;
}

// Whether a void player must look at the trump suit before discarding.
inline bool trumpsApply(int leadSuit) {
    return PrefPosition::trump != NO_TRUMP && leadSuit != PrefPosition::trump;
}

}  // namespace

// ---------------------------------------------------------------------------
// Suit lists and table slots
// ---------------------------------------------------------------------------

namespace {

// Builds the suit lists from a 32-card deal array; with the key, also fills
// `index`, sets the key to the cards out of the hands and returns the number
// of cards of player 0, which is the number of tricks left.
template <bool WithKey>
int buildLists(const int* deal32) {
    uint32_t key = 0;
    int tricks = 0;
    for (int s = 0; s < 4; s++) {
        ListItem* last = &PrefPosition::S[s];
        ListItem* next = &PrefPosition::T[8 * s];
        last->lower = nullptr;
        for (int r = 0; r < 8; r++) {
            int holder = deal32[8 * s + r];
            if (holder < 0 || holder > 2) {
                if (WithKey) key ^= cardBit(s, r);
                continue;
            }
            if (WithKey) {
                index[r * 4 + s] = cardBit(s, r);
                tricks += holder == 0;
            }
            next->rank = static_cast<uint8_t>(r);
            next->suit = static_cast<uint8_t>(s);
            next->owner = static_cast<uint8_t>(holder);
            next->lower = last;
            last->higher = next;
            last = next;
            next++;
        }
        last->higher = &PrefPosition::Q[s];
        PrefPosition::Q[s].lower = last;
    }
    if (WithKey) ZobristKey = key;
    return tricks;
}

}  // namespace

void PrefPosition::InitList(const int* deal32) {
    buildLists<false>(deal32);
}

void PrefPosition::RemoveItem(int16_t suit, int16_t rank) {
    for (ListItem* c = S[suit].higher; c != &Q[suit]; c = c->higher) {
        if (c->rank == rank) {
            unlinkCard(c);
            return;
        }
    }
}

uint32_t PrefPosition::slotOf(uint32_t key, int8_t leader) {
    return ((key >> 17) ^ key ^ static_cast<uint32_t>(leader)) % TABLE_SIZE;
}

// ---------------------------------------------------------------------------
// Reply generation
// ---------------------------------------------------------------------------

namespace {

using Completion = void (PrefPosition::*)();

// After a walk that could give cards to the second and the third player: if
// one of them got some and the other none, the other's list is completed by
// his own rule; returns false when neither got any.
inline bool completeTheOther(PrefPosition& rec, Completion forSecond, Completion forThird) {
    if (rec.nmoves2 > 0) {
        if (rec.nmoves3 == 0) (rec.*forThird)();
        return true;
    }
    if (rec.nmoves3 > 0) {
        (rec.*forSecond)();
        return true;
    }
    return false;
}

}  // namespace

void PrefPosition::find_suitable_cards() {
    nmoves2 = 0;
    nmoves3 = 0;
    const int s = leadSuit;
    appendRunsOfBoth<true>(*this, s);
    if (completeTheOther(*this, &PrefPosition::find_suitable_cards_from_trump1,
                         &PrefPosition::find_suitable_cards_from_trump2)) {
        return;
    }
    if (trumpsApply(s)) {
        appendRunsOfBoth<false>(*this, trump);
        if (completeTheOther(*this, &PrefPosition::find_suitable_cards_after_trump1,
                             &PrefPosition::find_suitable_cards_after_trump2)) {
            return;
        }
    }
    for (int d = 0; d < 4; d++) {
        if (isDiscardSuit(d, s)) appendRunsOfBoth<false>(*this, d);
    }
}

void PrefPosition::find_suitable_cards2() {
    nmoves3 = appendRunsUp(leadSuit, who[2], moves3, 0);
    if (nmoves3 == 0) find_suitable_cards_from_trump2();
}

namespace {

// A player void in the suit led discards: one card per run, suit by suit.
inline int32_t appendDiscards(int leadSuit, uint8_t player, ListItem** list, int32_t n) {
    for (int d = 0; d < 4; d++) {
        if (isDiscardSuit(d, leadSuit)) n = appendRunsUp(d, player, list, n);
    }
    return n;
}

// A player void in the suit led trumps if he can, else discards.
inline int32_t appendTrumpsOrDiscards(int leadSuit, uint8_t player, ListItem** list, int32_t n) {
    if (trumpsApply(leadSuit)) {
        int32_t withTrumps = appendRunsUp(PrefPosition::trump, player, list, n);
        if (withTrumps > n) return withTrumps;
    }
    return appendDiscards(leadSuit, player, list, n);
}

}  // namespace

void PrefPosition::find_suitable_cards_from_trump1() {
    nmoves2 = appendTrumpsOrDiscards(leadSuit, who[1], moves2, nmoves2);
}

void PrefPosition::find_suitable_cards_from_trump2() {
    nmoves3 = appendTrumpsOrDiscards(leadSuit, who[2], moves3, nmoves3);
}

void PrefPosition::find_suitable_cards_after_trump1() {
    nmoves2 = appendDiscards(leadSuit, who[1], moves2, nmoves2);
}

void PrefPosition::find_suitable_cards_after_trump2() {
    nmoves3 = appendDiscards(leadSuit, who[2], moves3, nmoves3);
}

// ---------------------------------------------------------------------------
// Search
// ---------------------------------------------------------------------------

namespace {

// Walks the leader's candidate leads of record `rec`: first each suit's top
// card when the leader holds it, then one card per remaining run of his cards,
// suit by suit from the top down. The replies are built for the suit before
// its first card is tried. `tryLead` gets the card (still in its list, with
// leadSuit and leadRank set) and returns true to stop the walk.
template <typename TryLead>
void forEachLead(PrefPosition& rec, TryLead tryLead) {
    const uint8_t leader = rec.who[0];
    ListItem* cursor[4];
    for (int s = 0; s < 4; s++) {
        rec.leadSuit = static_cast<uint8_t>(s);
        ListItem* c = PrefPosition::Q[s].lower;
        ListItem* const bottom = &PrefPosition::S[s];
        if (c == bottom || c->owner != leader) {
            cursor[s] = c == bottom ? c : c->lower;
            continue;
        }
        rec.leadRank = c->rank;
        rec.find_suitable_cards();
        if (tryLead(c)) return;
        do c = c->lower;
        while (c != bottom && c->owner == leader);
        cursor[s] = c;
    }
    for (int s = 0; s < 4; s++) {
        ListItem* const bottom = &PrefPosition::S[s];
        bool repliesBuilt = false;
        bool afterOwn = false;
        rec.leadSuit = static_cast<uint8_t>(s);
        for (ListItem* c = cursor[s]; c != bottom; c = c->lower) {
            if (c->owner != leader) {
                afterOwn = false;
                continue;
            }
            if (afterOwn) continue;
            afterOwn = true;
            rec.leadRank = c->rank;
            if (!repliesBuilt) {
                rec.find_suitable_cards();
                repliesBuilt = true;
            }
            if (tryLead(c)) return;
        }
    }
}

// Plays lead card c and searches the rest of the trick; score for the leader.
inline int scoreLead(PrefPosition& rec, ListItem* c, int alpha, int beta) {
    play(c);
    int v = rec.who[2] == PrefPosition::whose ? rec.generate1(alpha, beta)
                                              : -rec.generate1(-beta, -alpha);
    takeBack(c);
    return v;
}

// Plays second card a and searches the rest of the trick; score for the
// second player.
inline int scoreSecondCard(PrefPosition& rec, ListItem* a, int alpha, int beta) {
    play(a);
    rec.card2 = a;
    const bool partners = rec.who[0] == PrefPosition::whose;  // second and third player
    int v = partners ? rec.generate2(alpha, beta) : -rec.generate2(-beta, -alpha);
    takeBack(a);
    return v;
}

// Plays third card b to the trick whose first two cards are given, lets the
// winner lead the next trick and returns the score for the third player.
PREF_ALWAYS_INLINE int scoreThirdCard(PrefPosition& rec, int leadSuit, int leadRank, int suit2,
                                      int rank2, ListItem* b, int alpha, int beta) {
    play(b);
    rec.card3 = b;
    const int w = trickWinner(leadSuit, leadRank, suit2, rank2, b->suit, b->rank);
    PrefPosition* next = rec.child;
    // The winner leads; the others follow in the same cyclic order.
    static constexpr uint8_t ORDER[3][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
    const uint8_t* order = ORDER[rec.who[w]];
    next->who[0] = order[0];
    next->who[1] = order[1];
    next->who[2] = order[2];
    int v;
    if (winnerOnSideOf(rec.who, w, 2)) {
        const int t = PrefPosition::mizer ? -1 : 1;
        v = t + next->generate(alpha - t, beta - t);
    } else {
        const int t = PrefPosition::mizer ? 1 : -1;
        v = t - next->generate(t - beta, t - alpha);
    }
    takeBack(b);
    return v;
}

inline void store(uint32_t slot, int value, uint8_t kind) {
    PrefPosition::HashEntry& e = PrefPosition::hashtable[slot];
    e.key = ZobristKey;
    e.value = static_cast<int8_t>(value);
    e.kind = kind;
}

// Score of the last trick for who[0]: every player holds one card, except
// that a card led from the table is already out and its lead kept in `rec`.
int lastTrick(PrefPosition& rec) {
    for (int s = 0; s < 4; s++) {
        for (ListItem* c = PrefPosition::Q[s].lower; c != &PrefPosition::S[s]; c = c->lower) {
            if (c->owner == rec.who[0]) {
                rec.leadSuit = c->suit;
                rec.leadRank = c->rank;
            } else if (c->owner == rec.who[1]) {
                rec.card2 = c;
            } else {
                rec.card3 = c;
            }
        }
    }
    const int w = trickWinner(rec.leadSuit, rec.leadRank, rec.card2->suit, rec.card2->rank,
                              rec.card3->suit, rec.card3->rank);
    const bool won = winnerOnSideOf(rec.who, w, 0);
    return won != PrefPosition::mizer ? 1 : -1;
}

}  // namespace

namespace {

// The leader's node past the quick answers: tries his leads within the
// clamped window and stores the outcome in the position's slot. Kept out of
// line so that the many quick returns of `generate` stay cheap.
PREF_NOINLINE int searchLeads(PrefPosition& rec, int alpha, int beta, uint32_t slot) {
    PrefPosition::node_count++;
    bool raised = false;
    bool cut = false;
    forEachLead(rec, [&](ListItem* c) {
        int v = scoreLead(rec, c, alpha, beta);
        if (v <= alpha) return false;
        if (v >= beta) {
            cut = true;
            return true;
        }
        alpha = v;
        raised = true;
        return false;
    });
    if (cut) {
        store(slot, beta, KIND_LOWER);
        return beta;
    }
    store(slot, alpha, raised ? KIND_EXACT : KIND_UPPER);
    return alpha;
}

}  // namespace

int PrefPosition::generate(int alpha, int beta) {
    if (tricksLeft <= alpha) return alpha;
    if (beta <= -tricksLeft) return beta;
    if (child == nullptr) return lastTrick(*this);
    if (alpha < -tricksLeft) alpha = -tricksLeft;
    if (beta > tricksLeft) beta = tricksLeft;

    const uint32_t slot = slotOf(ZobristKey, static_cast<int8_t>(who[0]));
    const HashEntry& entry = hashtable[slot];
    if (entry.key == ZobristKey) {
        if (entry.kind == KIND_EXACT) return entry.value;
        if (entry.kind == KIND_UPPER && entry.value <= alpha) return alpha;
        if (entry.kind == KIND_LOWER && entry.value >= beta) return beta;
    }
    return searchLeads(*this, alpha, beta, slot);
}

int PrefPosition::generate1(int alpha, int beta) {
    for (int32_t i = 0; i < nmoves2; i++) {
        int v = scoreSecondCard(*this, moves2[i], alpha, beta);
        if (v > alpha) {
            if (v >= beta) return beta;
            alpha = v;
        }
    }
    return alpha;
}

int PrefPosition::generate2(int alpha, int beta) {
    for (int32_t i = 0; i < nmoves3; i++) {
        int v = scoreThirdCard(*this, leadSuit, leadRank, card2->suit, card2->rank, moves3[i],
                               alpha, beta);
        if (v > alpha) {
            if (v >= beta) return beta;
            alpha = v;
        }
    }
    return alpha;
}

// ---------------------------------------------------------------------------
// Root search
// ---------------------------------------------------------------------------

namespace {

inline void recordBest(const ListItem* c) {
    PrefPosition::bc = c->rank;
    PrefPosition::bs = c->suit;
}

}  // namespace

int PrefPosition::first_generate(int alpha, int beta) {
    if (tricksLeft == 1) return generate(-2, 2);
    forEachLead(*this, [&](ListItem* c) {
        int v = scoreLead(*this, c, alpha, beta);
        if (v <= alpha) return false;
        recordBest(c);
        alpha = v;
        return v >= beta;
    });
    return alpha;
}

int PrefPosition::first_generate(int alpha, int beta, int16_t suit, int16_t rank) {
    leadSuit = static_cast<uint8_t>(suit);
    leadRank = static_cast<uint8_t>(rank);
    find_suitable_cards();
    RemoveItem(suit, rank);
    if (nmoves2 > 0) recordBest(moves2[0]);
    if (tricksLeft == 1) {
        int g = generate(-1, 1);
        return who[2] == whose ? g : -g;
    }
    for (int32_t i = 0; i < nmoves2; i++) {
        ListItem* a = moves2[i];
        int v = scoreSecondCard(*this, a, alpha, beta);
        if (v > alpha) {
            recordBest(a);
            alpha = v;
        }
        if (alpha >= beta) return alpha;
    }
    return alpha;
}

int PrefPosition::first_generate(int alpha, int beta, int16_t suit1, int16_t rank1, int16_t suit2,
                                 int16_t rank2) {
    leadSuit = static_cast<uint8_t>(suit1);
    leadRank = static_cast<uint8_t>(rank1);
    find_suitable_cards2();
    RemoveItem(suit1, rank1);
    RemoveItem(suit2, rank2);
    if (nmoves3 < 1) return alpha;  // only for a third player without cards
    recordBest(moves3[0]);
    if (tricksLeft == 1) {
        const ListItem* b = moves3[0];
        const int w = trickWinner(suit1, rank1, suit2, rank2, b->suit, b->rank);
        return winnerOnSideOf(who, w, 2) != mizer ? 1 : -1;
    }
    for (int32_t i = 0; i < nmoves3; i++) {
        ListItem* b = moves3[i];
        int v = scoreThirdCard(*this, suit1, rank1, suit2, rank2, b, alpha, beta);
        if (v > alpha) {
            recordBest(b);
            alpha = v;
        }
        if (alpha >= beta) return alpha;
    }
    return alpha;
}

// ---------------------------------------------------------------------------
// Solve drivers
// ---------------------------------------------------------------------------

namespace {

// Marks every table entry unused by giving it the root's key, which no
// stored position can have. Eight entries, one cache line, per step: the
// plain loop is held up by its own bookkeeping, at twice the time.
constexpr uint32_t ENTRIES_PER_STEP = 8;
static_assert(PrefPosition::TABLE_SIZE % ENTRIES_PER_STEP == 0, "whole steps");

void emptyTable(uint32_t rootKey) {
    PrefPosition::HashEntry* e = PrefPosition::hashtable;
    PrefPosition::HashEntry* const end = e + PrefPosition::TABLE_SIZE;
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

void PrefPosition::solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat,
                         bool misere, bool unused) {
    int deal32[32];
    int16_t leadSuit = -1, leadRank = -1, secondSuit = -1, secondRank = -1;
    const int ledCode = leaderSeat + 5;
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
    solve(deal32, trumpSuit, playerOfSeat(declarerSeat), playerOfSeat(leaderSeat), misere, leadSuit,
          leadRank, secondSuit, secondRank, unused);
}

void PrefPosition::solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
                         int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
                         int16_t secondRankPosition, bool) {
    for (int k = 2; k <= 10; k++) P[k].child = &P[k - 1];
    P[1].child = nullptr;
    mizer = misere;
    whose = static_cast<uint8_t>(declarer);
    trump = static_cast<signed char>(misere ? NO_TRUMP : trumpSuit);

    const int n = buildLists<true>(deal32);
    emptyTable(ZobristKey);

    P[0].tricksLeft = 0;
    for (int k = 1; k <= n; k++) P[k].tricksLeft = k;
    PrefPosition& root = P[n];
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
}
