// The bridge double-dummy search engine as an object: every solve reads and
// writes only its own object, so one engine per thread may run at the same
// time. Positions come in as deal arrays; the public BridgeSolver and the
// inherited static entries stand on it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bridge {

// The answer of one solve.
struct Result {
    int northSouth = 0;
    int eastWest = 0;
    int bestSuit = -1;  // the best card for the seat to move; -1 when none is left
    int bestRank = -1;  // 0 = two .. 12 = ace
    long long nodes = 0;
};

// What the searches of an engine did, by tricks left: counted only in a
// build with -DDDSOLVER_BRIDGE_COUNTERS=ON, all zero otherwise. The probes
// say why the table did or did not settle a trick start.
struct SearchCounters {
    long long nodes[14] = {};       // positions searched, any card of a trick
    long long sureCuts[14] = {};    // trick starts the sure-trick rules settled
    long long probes[14] = {};      // trick starts looked up in the table
    long long hits[14] = {};        // an entry covered the position and settled the test
    long long wrongBound[14] = {};  // entries covered it, none with a bound that settles
    long long notCovered[14] = {};  // entries of its shape and leader, none covering it
    long long noEntry[14] = {};     // no entry of its shape and leader
};

class Engine {
   public:
    // The table's buckets as a power of two: 4096 buckets take 42 MiB of
    // address space, filled only as the search goes.
    static constexpr int DEFAULT_TABLE_BITS = 12;
    static constexpr int MIN_TABLE_BITS = 4;
    static constexpr int MAX_TABLE_BITS = 20;
    // Address space the table takes with 2^tableBits buckets.
    static std::size_t tableBytes(int tableBits);

    // Cheap: the table is reserved on the first solve. tableBits is clamped
    // to MIN_TABLE_BITS .. MAX_TABLE_BITS.
    explicit Engine(int tableBits = DEFAULT_TABLE_BITS);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // A bridge position as a deal array (52 ints: 0 out of play, 1-4 in the
    // hand of seat 0-3, 5-8 played to the current trick by seat 0-3), trump
    // 0-3 or 4 no trump, leader = the seat that led (or leads) the current
    // trick. The table is kept from the last solve unless a card changed
    // hands, the trump differs from the table's, or trumpChanged is set.
    // False (and nothing changed) when the position cannot be played out.
    bool solve(const int* deal, int trump, int leader, bool trumpChanged, Result& result);

    // One null-window test of the same position: whether North-South take at
    // least `targetNorthSouth` tricks from the current trick on (the trick
    // included). Cheaper than a solve; the table rule is solve's.
    bool reaches(const int* deal, int trump, int leader, int targetNorthSouth, bool& reached);

    // The same solve with the older rule of the static entry: the deal of the
    // last solve is the caller's `previousDeal`, and when the table is kept,
    // keptTrump stays in force instead of `trump`.
    bool solveKeepingTrump(const int* deal, int trump, int keptTrump, int leader, bool trumpChanged,
                           const int* previousDeal, Result& result);

    // Reserves the table's address space (nothing is touched yet) or gives
    // it back; a solve reserves it by itself when needed.
    bool reserveTable();
    void releaseTable();
    // Forgets the last deal, so the next solve clears the table.
    void forgetDeal() { fresh_ = true; }

    int trumpInForce() const { return trump_; }
    long long tableClears() const { return tableClears_; }
    // Since the engine was made.
    const SearchCounters& counters() const { return counters_; }

    struct TableEntry;
    struct Bucket;
    struct Moves;

   private:
    // ---- the position (hands as per-suit rank masks, bit 0 = two) ----
    uint16_t hand_[4][4] = {};   // [seat][suit]
    uint16_t inHands_[4] = {};   // [suit]: every card still held
    uint8_t owner_[4][13] = {};  // [suit][rank]: the seat that holds (held) it
    // Every hand's length in every suit, four bits each (seat 0's first suit
    // highest): the exact part of a table key, kept up to date as cards go.
    uint64_t shape_ = 0;
    int trump_ = 4;
    int cardsLeft_ = 0;         // cards in hands
    bool voidInEveryHand_ = false;  // as the position was loaded: picks lead weights
    struct alignas(16) Trick {  // small: the search copies it for every card tried
        uint8_t leader;
        uint8_t count;  // cards on it
        uint8_t suit;   // suit led
        uint8_t winSeat;
        uint8_t winSuit;
        uint8_t winRank;
        uint16_t onTrick[4];  // [suit]: its cards, which still separate runs
    } trick_ = {};
    static Trick newTrick(int leader) {
        return Trick{static_cast<uint8_t>(leader), 0, 0, 0, 0, 0, {0, 0, 0, 0}};
    }
    // Relative-rank code of each suit's holding: owners from the top card
    // down, two bits each, with the card count above them.
    uint32_t suitCode_[4][8192];
    uint8_t codedOwner_[4][13];  // the owners suitCode_ was built for (0xFF: none)
    // Cut-off card per context of a move (see cutContext), by a hash: a tag
    // of the context and the table's generation above the card. It lives
    // in the table's mapping, after the buckets.
    uint16_t* cuts_ = nullptr;

    // ---- the transposition table ----
    int tableBits_;
    Bucket* table_ = nullptr;
    uint32_t generation_ = 0;
    long long tableClears_ = 0;
    int tableTrump_ = -1;
    bool fresh_ = true;
    // First guesses of the next solve on a kept table: the last result with
    // each side to move (North-South 0, East-West 1).
    int lastNorthSouth_[2] = {-1, -1};

    // ---- solve steps ----
    bool prepare(const int* deal, int trump, int keptTrump, int leader, bool trumpChanged,
                 bool newTrumpRules, const int* previousDeal, bool& completed, int& bonus);
    bool run(const int* deal, int trump, int keptTrump, int leader, bool trumpChanged,
             bool newTrumpRules, const int* previousDeal, Result& result);
    void loadDeal(const int* deal, int leader);
    void clearTable();
    void buildSuitCodes();
    int estimateNorthSouth(int tricks) const;
    int driveSearch(int tricks, int guess, bool choose, int& bestCard);
    int rootTest(int target, bool choose, int& card);

    // ---- search ----
    // Ranks: per suit, the cards whose ranks an answer relied on.
    int search(int target, uint16_t* relevant);
    int tryCard(int seat, int card, int target, uint16_t* relevant);
    void addToTrick(int seat, int card);
    void generateMoves(int seat, Moves& moves, int hint) const;
    void rootOrder(int seat, Moves& moves) const;
    // The weighted candidates of the three kinds of play (MoveGen.cpp).
    void addLeads(int seat, Moves& moves, bool inSearch) const;
    void addFollows(int seat, Moves& moves, bool inSearch) const;
    void addVoidPlays(int seat, Moves& moves, int discardLength, bool inSearch) const;
    uint32_t trickRunBreaks(int s) const;
    bool canRuff(int seat, int s) const;
    bool partnerWinsLast(int seat) const;
    bool partnerHoldsTrick(int seat) const;
    uint64_t cutContext(int seat) const;
    void prefetchCut(uint64_t context) const;
    int onlyFollow(int seat) const;
    int lastHandFirst(int seat) const;
    int rememberedCut(uint64_t context) const;
    int candidateOrNone(int seat, int card) const;
    void rememberCut(uint64_t context, int card);
    unsigned trumpHolders() const;
    int cashInSuit(int seat, int s, unsigned ruffers, uint16_t* relevant) const;
    bool partnerRuffs(int leader, unsigned counted, int ownTrumps) const;
    int cashTricks(int seat, int needed, uint16_t* relevant) const;
    int crossingTricks(int leader, int s, uint16_t& mark) const;
    int quickTricks(int leader, int needed, uint16_t* relevant) const;
    int oneTrickAgainstCashing(int leader, uint16_t* relevant) const;
    int topTrumpTricks(int& holder, uint16_t* relevant) const;
    int trumpLengthTricks(int seat) const;
    int voidSuitRun(int leader, int s, bool leadBack, uint16_t& mark) const;
    bool opponentsOutOf(int leader, int s) const;
    int laterTricks(int leader, int needed, uint16_t* relevant) const;
    int sureTrickWinner(int& top) const;
    int trickThenCash(int& holder, int neededNS, int neededEW, uint16_t* relevant) const;
    int trumpTricksAgainst(int leader, uint16_t* relevant) const;
    int noTrumpTricksAgainst(int leader, int needed, uint16_t* relevant) const;
    int lastTrickWinner(uint16_t* relevant) const;
    void markTrickWinner(uint16_t* relevant) const;
    void markPlayedForRun(int seat, int card, uint16_t* relevant) const;
    void prefetchBucket(uint64_t shape, int leader) const;
    // Settles the target from the table when it can (its ranks go to
    // `relevant`); else `hint` receives a remembered card, if any.
    bool probe(uint64_t shape, int leader, int target, uint16_t* relevant, int& hint,
               int& value) const;
    void store(uint64_t shape, int leader, const uint16_t* relevant, int low, int high, int move);
    int relativeMove(int card) const;
    int absoluteMove(int seat, int move) const;

    int previousDeal_[52] = {};  // the deal of the last solve, for the rule that clears the table
    long long nodes_ = 0;        // nodes of the current solve
    mutable SearchCounters counters_;  // the table's probe is const
};

#ifdef DDSOLVER_BRIDGE_COUNTERS
#define BRIDGE_COUNT(statement) statement
#else
#define BRIDGE_COUNT(statement)
#endif

}  // namespace bridge
