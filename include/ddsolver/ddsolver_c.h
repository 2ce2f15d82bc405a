/* The library's plain C interface: bridge tables, par, single positions and
 * play review, preferans positions and the hidden-layout histogram. */
#ifndef DDSOLVER_C_H
#define DDSOLVER_C_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Every call returns 0 when it succeeds and otherwise the number of the
 * reason in the C++ enum ddsolver::Status (Status.h), numbered identically:
 * the constants below are those values. ddsolver_status_text gives the
 * message of describe(), and "unknown status" for a number that is none. */
enum {
    DDSOLVER_OK = 0,
    DDSOLVER_NULL_ARGUMENT = 1,
    DDSOLVER_BAD_STRAIN = 2,
    DDSOLVER_BAD_LEADER = 3,
    DDSOLVER_BAD_DECLARER = 4,
    DDSOLVER_BAD_CARD = 5,
    DDSOLVER_SEAT_NOT_IN_GAME = 6,
    DDSOLVER_CARD_TWICE = 7,
    DDSOLVER_BAD_THREAD_COUNT = 8,
    DDSOLVER_TWO_CARDS_FROM_SEAT = 9,
    DDSOLVER_TRICK_TOO_LARGE = 10,
    DDSOLVER_TRICK_NOT_LEADERS = 11,
    DDSOLVER_TRICK_OUT_OF_ORDER = 12,
    DDSOLVER_UNEVEN_HANDS = 13,
    DDSOLVER_NOT_ONE_MOVE = 14,
    DDSOLVER_NOT_FULL_DEAL = 15,
    DDSOLVER_PBN_BAD_FIRST_SEAT = 16,
    DDSOLVER_PBN_TOO_FEW_HANDS = 17,
    DDSOLVER_PBN_BAD_SUIT_COUNT = 18,
    DDSOLVER_PBN_BAD_RANK = 19,
    DDSOLVER_PBN_CARD_TWICE = 20,
    DDSOLVER_PBN_BAD_HAND_SIZE = 21,
    DDSOLVER_PBN_TEXT_AFTER_DEAL = 22,
    DDSOLVER_PREF_TOO_FEW_ABSENT_CARDS = 23,
    DDSOLVER_PREF_TOO_MANY_DOTS = 24,
    DDSOLVER_PREF_INVALID_SYMBOL = 25,
    DDSOLVER_PREF_INVALID_CARD = 26,
    DDSOLVER_PREF_TOO_MANY_ABSENT_CARDS = 27,
    DDSOLVER_PREF_TOO_MANY_PLAYER_CARDS = 28,
    DDSOLVER_PREF_LEAD_CARD_NOT_DECLARERS = 29,
    DDSOLVER_PREF_TOO_MANY_LEAD_CARDS = 30,
    DDSOLVER_PREF_TOO_FEW_PLAYER_CARDS = 31,
    DDSOLVER_PREF_TOO_MANY_PLAYER_CARDS_WITH_LEAD = 32,
    DDSOLVER_PREF_CARD_TWICE = 33,
    DDSOLVER_CARD_NOT_HELD = 34,
    DDSOLVER_REVOKE = 35,
    DDSOLVER_PLAY_OVER = 36,
    DDSOLVER_BAD_CONSTRAINT = 37,
    DDSOLVER_BAD_CONTRACT = 38,
    DDSOLVER_UNSEEN_CARD_KNOWN = 39,
    DDSOLVER_HANDS_NOT_EQUAL = 40,
    DDSOLVER_TOO_MANY_LAYOUTS = 41,
    DDSOLVER_CONSTRAINTS_TOO_STRICT = 42,
    DDSOLVER_LEADER_NOT_KNOWN = 43,
    DDSOLVER_NO_SUCH_LEADER = 44,
    DDSOLVER_BAD_VULNERABILITY = 45,
    DDSOLVER_BAD_TRICK_COUNT = 46,
    DDSOLVER_BUFFER_TOO_SMALL = 47,
    DDSOLVER_OUT_OF_MEMORY = 48
};

const char* ddsolver_status_text(int code);

/* A call that refuses writes nothing to its results, except that
 * ddsolver_review reports the cards it reviewed before a refused card.
 * Nothing is for the caller to free except the handle.
 *
 * Strains: 0 spades, 1 hearts, 2 diamonds, 3 clubs, 4 no trump.
 * Seats: 0 North, 1 East, 2 South, 3 West (preferans: North, East, West).
 * Vulnerability: 0 none, 1 all, 2 North-South, 3 East-West.
 * Cards are written suit then rank, "SA", "HT", "C2" ("D10" is read too);
 * a card list separates its cards by spaces (commas are read too). */

/* A bridge and a preferans solver with their memory. One handle per thread:
 * a handle is used by one thread at a time. create gives NULL when memory
 * runs out; destroy accepts NULL. */
typedef struct ddsolver_solver ddsolver_solver;
ddsolver_solver* ddsolver_solver_create(void);
void ddsolver_solver_destroy(ddsolver_solver* solver);

/* One legal card of the player to move and the tricks his side takes from
 * the current trick on when he plays it. */
typedef struct {
    char card[4]; /* "SA", NUL-terminated */
    int tricks;
} ddsolver_card_value;

/* The double-dummy table of a full PBN deal: tricks[strain][declarer], the
 * tricks the declarer takes, the seat on his left leading. */
int ddsolver_table(ddsolver_solver* solver, const char* pbn, int tricks[5][4]);

/* Par when `dealer` deals: North-South's score, and the par contracts as
 * bridge software writes them ("4S*-EW-1"), separated by single spaces, into
 * `contracts` of `size` bytes (NUL-terminated; "" when passed out). A buffer
 * too small gives DDSOLVER_BUFFER_TOO_SMALL; DDSOLVER_PAR_TEXT_SIZE bytes
 * always suffice. A dealer outside 0-3 gives DDSOLVER_BAD_DECLARER. */
#define DDSOLVER_PAR_TEXT_SIZE 512
int ddsolver_par(const int tricks[5][4], int vulnerability, int dealer, int* score, char* contracts,
                 size_t size);

typedef struct {
    int north_south, east_west;    /* tricks from the current trick on, this one included */
    int count;                     /* legal cards of the player to move */
    ddsolver_card_value cards[13]; /* their values, best first */
} ddsolver_result;

/* Solves a bridge position: `pbn_hands` the cards still held (hands of equal
 * size once the trick's cards are counted), `leader` the seat that led or
 * leads the current trick, `trick_cards` the cards already on it in playing
 * order (not in the hands; NULL or "" for none). */
int ddsolver_solve(ddsolver_solver* solver, const char* pbn_hands, int strain, int leader,
                   const char* trick_cards, ddsolver_result* result);

/* Reviews the play of a full deal, `leader` leading to the first trick:
 * values[0] the declaring side's (the side not on lead) double-dummy tricks
 * before the first card,
 * values[i] after card i (tricks won so far plus the most still to take).
 * `size` is the capacity of `values`; `count` receives the values written.
 * A card not held, a revoke or a card after the last trick gives its status,
 * with `count` covering the cards before it. */
int ddsolver_review(ddsolver_solver* solver, const char* pbn, int strain, int leader,
                    const char* cards, int* values, size_t size, int* count);

typedef struct {
    int declarer, defenders;       /* tricks from the current trick on, this one included */
    int count;                     /* legal cards of the player to move */
    ddsolver_card_value cards[10]; /* their values, the highest first; in misere the declarer's
                                      own cards count his tricks, so his best come last */
} ddsolver_pref_result;

/* Solves a preferans position: cards seven to ace, South holding none
 * (written "..."), `trump` 0-4 (checked, but not read when `misere` is
 * non-zero), `declarer` and `leader` North, East or West. */
int ddsolver_pref_solve(ddsolver_solver* solver, const char* pbn_hands, int trump, int misere,
                        int declarer, int leader, const char* trick_cards,
                        ddsolver_pref_result* result);

/* The hidden-layout analysis of a preferans deal text ("aqjt9.ak*7*8.kq.a"):
 * splits `first` to `end` - 1 on `threads` threads (0: one per core), counted
 * into histogram[tricks], which is added to. Any thread; needs no handle. */
int ddsolver_pref_histogram(const char* deal_text, int trump, int misere, int declarer, int leader,
                            int first, int end, int threads, unsigned long long histogram[11]);

/* A bridge simulation of one contract ("4S-N", "3NT-S"): deals `first` to
 * `end` - 1 of the seed's run (with `exact` non-zero, every layout of the
 * unseen cards in that range of layout numbers), dealt from `deal` (PBN with
 * "-" for a hand not seen; a short hand is partly known) and `unseen` (the
 * cards still to deal as one hand, or NULL or "" for every card not known),
 * kept by the constraint `where` (NULL or "" for every deal), on `threads`
 * threads (0: one per core). Declarer's tricks are counted into tricks[0..13]
 * and the deals solved into *deals, both added to. Any thread; needs no
 * handle. */
int ddsolver_simulate(const char* deal, const char* unseen, const char* where,
                      const char* contract, unsigned long long seed, int exact,
                      unsigned long long first, unsigned long long end, int threads,
                      unsigned long long tricks[14], unsigned long long* deals);

/* The version of the library linked. */
int ddsolver_version(int* major, int* minor, int* patch);
const char* ddsolver_version_string(void);

#ifdef __cplusplus
}
#endif

#endif /* DDSOLVER_C_H */
