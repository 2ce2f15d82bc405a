// Value-only preferans solver for the hidden-layout analysis: the declarer's
// trick count of one position, with a transposition table that stays valid
// across the splits of one run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "ddsolver/compat/DealCodes.h"
#include "preferans/LayoutTable.h"
#include "preferans/LeadMemory.h"

namespace preferans {

// Cards are numbered suit * 8 + rank (rank 0 = seven ... 7 = ace); a hand is
// a 32-bit set of them. Players are 0, 1 and 2, playing in that cyclic order.
using CardSet = uint32_t;

constexpr int PLAYERS = 3;
using ::NO_TRUMP;  // a trump of 0 to 3 names a suit

// The rules and sides a solve plays under; positions of one game share the
// table, so a new game empties it.
struct LayoutGame {
    int trump = NO_TRUMP;  // 0 to 3, or NO_TRUMP (always in misere)
    int declarer = 0;      // player index
    bool misere = false;
    bool operator==(const LayoutGame& o) const {
        return trump == o.trump && declarer == o.declarer && misere == o.misere;
    }
};

// One position: the three hands and the cards already on the first trick.
struct LayoutPosition {
    CardSet hands[PLAYERS] = {0, 0, 0};
    int leader = 0;
    int trickCount = 0;  // 0 to 2 cards on the trick, played in order from the leader
    int trick[2] = {0, 0};
};

// What the search did, by tricks left at a trick start: counted only in a
// build with -DDDSOLVER_LAYOUT_COUNTERS=ON, all zero otherwise.
struct LayoutCounters {
    uint64_t nodes[11] = {};           // trick starts searched or looked up
    uint64_t exactCuts[11] = {};       // tests an exact entry settled
    uint64_t shapeProbes[11] = {};     // entries looked for under a shape's masks
    uint64_t shapeCuts[11] = {};       // tests a shape entry settled
    uint64_t stores[11] = {};          // tests searched and stored
    uint64_t cardsThatMattered[11] = {};  // over the tests stored with shape entries
    uint64_t cardsLeft[11] = {};          // over the same tests
    uint64_t entriesMade = 0;          // shape entries
    uint64_t splitsServed = 0;         // by shape entries: each entry once per split
    void add(const LayoutCounters& other);
};

class LayoutSolver {
   public:
    // A table of `tableBytes` (at least LayoutTable::MIN_BYTES).
    explicit LayoutSolver(size_t tableBytes = DEFAULT_TABLE_BYTES);
    // A solver of `game` alone on `shared`, which the caller emptied for it
    // (reset with partitioned false, so shareable) and keeps alive; solvers
    // of the same game on other threads may use it at the same time.
    LayoutSolver(LayoutTable& shared, const LayoutGame& game);

    // The declarer's tricks in `position` (those of the trick on the table
    // included) under `game`; `guess` (any value) is where the search starts,
    // and the previous split's count is a good one.
    int declarerTricks(const LayoutGame& game, const LayoutPosition& position, int guess);

    // Positions searched since the solver was made: a signature of the search.
    uint64_t nodes() const { return nodes_; }
    const LayoutCounters& counters() const { return counters_; }

    static constexpr size_t DEFAULT_TABLE_BYTES = size_t{64} << 20;

   private:
    struct Trick {
        int leader;
        int count;
        int cards[3];
        int tricks;  // left, this one included
        uint64_t key;  // the owner key when the trick started, or 0 if not known
    };

    // The search's tests "the declarer takes at least `target` tricks from
    // here". Each gives a bound on his tricks that answers it: a value of at
    // least the target is a lower bound, one under it an upper bound, and
    // either may pass the target, which narrows later tests. Each also gives
    // the cards whose ranks decided it (`mattered`, kept in trump and
    // no-trump games only): in every suit the cards from the lowest of them
    // up are the ones a position must share for the same answer.
    // `tricks` is the tricks left, which the search carries rather than
    // counts; `key` is the position's owner key, or 0 when the caller has not
    // made it.
    int reaches(const LayoutPosition& root, int tricks, int target);
    int trickStart(int leader, int tricks, int target, uint64_t key, CardSet& mattered);
    // What the table knows of a trick start: true when an entry settles the
    // test (*value and `mattered` then say how); else *first may get the
    // lead that settled an earlier test.
    bool lookUp(uint64_t shape, uint64_t key, int leader, int tricks, int target, int* value,
                CardSet& mattered, int* first);
    void record(uint64_t shape, uint64_t key, int leader, int tricks, int test, int value,
                int best, CardSet mattered, uint64_t work);
    // Tries the cards of the player to move; *settled gets the card that
    // decided the test, if one did.
    int playNext(Trick& trick, int target, int first, int* settled, CardSet& mattered);
    // The last card of a trick, before any is tried: fills `keys` with the
    // next trick starts' owner keys and asks the table about them. In a
    // table of exact entries only (misere), returns 1 when a card's next
    // trick start is settled for the mover and -1 when every card's is
    // settled against him, with the position's bound in *value, and sets
    // `passed` (all false on entry) for the cards settled against him; else
    // returns 0 after moving a card settled for him to the front, with the
    // best bound of the passed cards in *value.
    int lookAhead(Trick& trick, int target, int* moves, int n, uint64_t* keys, bool* passed,
                  int* value);
    // The owner key with the trick's first two cards gone.
    uint64_t keyBeforeLastCard(const Trick& trick) const;
    int finishTrick(const Trick& trick, int target, uint64_t key, CardSet& mattered);
    int lastTrickForDeclarer(int leader, CardSet& mattered) const;
    // Tricks the player on lead takes for his side by cashing his winners,
    // whatever the others do (not for misere); `mattered` gets the winners.
    int quickTricks(int leader, CardSet& mattered) const;
    // The candidates of the player to move, `first` (a card) in front when it is one.
    int generateMoves(const Trick& trick, int mover, int first, int* moves) const;
    // The same for a misere player following suit: the cards that stay under
    // the trick's winner highest first, then those that take it over,
    // cheapest first or, when `highestOver`, highest first.
    int misereFollows(CardSet legal, CardSet present, int winning, bool highestOver, int first,
                      int* moves) const;
    // The cards that split the mover's runs: every card in play, except that
    // the last card of a trick is not told apart by the trick's beaten card,
    // which is gone before it could matter.
    CardSet runSeparators(const Trick& trick) const;
    // When every card of the mover failed: a run of his cards that crosses
    // the lowest card that mattered in its suit is added whole, since only
    // its top card was tried.
    CardSet withWholeRuns(CardSet mattered, int mover, const Trick& trick) const;
    // The place in the trick of its winning card; that card when it beat
    // another card of its suit, else 0.
    int winningPlace(const Trick& trick) const;
    CardSet winnerByRank(const Trick& trick, int place) const;
    bool wantsDeclarerTricks(int player) const {
        return (player == game_.declarer) != game_.misere;
    }

    // Keys (LayoutKeys.cpp). A card as its suit and its place from the top
    // among the cards left in its suit, which means the same in every
    // position of one key; and back.
    int relativeLead(int card) const;
    int leadOfRelative(int code) const;
    // The owners of the remaining cards in rank order, suit by suit.
    uint64_t ownerKey() const;
    // One suit's 16 bits of the owner key, in the suit's place from bit 0.
    uint64_t suitOwners(int suit) const;
    // `key` with one suit's owners made those of the cards left now.
    uint64_t withSuitOwners(uint64_t key, int suit) const {
        const int shift = 16 * suit;
        return (key & ~(uint64_t{0xFFFF} << shift)) | suitOwners(suit) << shift;
    }
    // The hands' suit lengths and the player on lead; never 0.
    uint64_t shapeKey(int leader) const;
    // The lead memory's context: the player on lead, his cards, and the
    // other hands' suit lengths.
    uint64_t leadContext(int leader) const;
    // The places in the owner key of the cards from the lowest card that
    // mattered in each suit up; the same as four counts of 4 bits, the
    // highest cards of each suit; and the cards of either.
    uint64_t maskOf(CardSet mattered) const;
    uint16_t topsOf(CardSet mattered) const;
    CardSet cardsOfMask(uint64_t mask) const;
    CardSet cardsOfTops(uint16_t tops) const;

    LayoutGame game_;
    bool gameSet_ = false;
    bool partitioned_ = false;  // the table keeps shape entries: not in misere
    CardSet hands_[PLAYERS] = {0, 0, 0};
    std::unique_ptr<LayoutTable> ownTable_;  // none when the table is shared
    LayoutTable* table_;
    LeadMemory leads_;  // misere only
    // Positions solved (declarerTricks calls), whose count ages the table's
    // entries, one age every 2^SPLITS_PER_AGE_BITS of them, and tells the
    // search counters' splits apart.
    uint64_t splits_ = 0;
    static constexpr int SPLITS_PER_AGE_BITS = 11;
    uint64_t nodes_ = 0;
    LayoutCounters counters_;
};

}  // namespace preferans
