// Value-only preferans solver for the hidden-layout analysis: the declarer's
// trick count of one position, with a transposition table that stays valid
// across the splits of one run (its keys say who holds each remaining card).
#pragma once

#include <cstdint>
#include <vector>

#include "ddsolver/compat/DealCodes.h"
#include "preferans/LayoutTable.h"

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

class LayoutSolver {
   public:
    // tableEntries is rounded down to a power of two (at least 1024).
    explicit LayoutSolver(uint32_t tableEntries = DEFAULT_TABLE_ENTRIES);

    // The declarer's tricks in `position` (those of the trick on the table
    // included) under `game`; `guess` (any value) is where the search starts,
    // and the previous split's count is a good one.
    int declarerTricks(const LayoutGame& game, const LayoutPosition& position, int guess);

    // Forgets every stored position.
    void clearTable() { table_.clear(); }
    // Positions searched since the solver was made: a signature of the search.
    uint64_t nodes() const { return nodes_; }

    static constexpr uint32_t DEFAULT_TABLE_ENTRIES = 1u << 22;

   private:
    struct Trick {
        int leader;
        int count;
        int cards[3];
    };

    bool reaches(const LayoutPosition& root, int target);
    bool trickStart(int leader, int target);
    // Tries the cards of the player to move; *settled gets the card that
    // decided the test, if one did.
    bool playNext(Trick& trick, int target, int first, int* settled);
    bool finishTrick(const Trick& trick, int target);
    int lastTrickForDeclarer(int leader) const;
    // Tricks the player on lead takes for his side by cashing his winners,
    // whatever the others do (not for misere).
    int quickTricks(int leader) const;
    // In misere, at a trick start: whether the declarer surely takes no
    // more tricks, surely takes at least one more, or neither is sure.
    enum { MISERE_UNKNOWN, MISERE_NO_MORE, MISERE_ONE_MORE };
    int misereOutlook(int leader) const;
    // The candidates of the player to move, `first` (a card) in front when it is one.
    int generateMoves(const Trick& trick, int mover, int first, int* moves) const;
    // A card as its suit and its place from the top among the cards left in
    // its suit, which means the same in every position of one key; and back.
    int relativeLead(int card) const;
    int leadOfRelative(int code) const;
    uint64_t positionKey() const;
    bool wantsDeclarerTricks(int player) const {
        return (player == game_.declarer) != game_.misere;
    }
    int trickWinner(const Trick& trick) const;

    LayoutGame game_;
    bool gameSet_ = false;
    CardSet hands_[PLAYERS] = {0, 0, 0};
    LayoutTable table_;
    uint64_t nodes_ = 0;
};

}  // namespace preferans
