/* The C interface, compiled as C: every call with known values (published
 * tables and par, positions counted by hand, the documented histogram) and
 * every refusal. Prints each failure; exits non-zero if there is any. */
#include "ddsolver/ddsolver_c.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int failures = 0;

#define CHECK(cond)                                                            \
    do {                                                                       \
        if (!(cond)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                        \
        }                                                                      \
    } while (0)

#define CHECK_STATUS(call, expected)                                                            \
    do {                                                                                        \
        int got_ = (call);                                                                      \
        if (got_ != (expected)) {                                                               \
            fprintf(stderr, "%s:%d: %s gave %d (%s), expected %d\n", __FILE__, __LINE__, #call, \
                    got_, ddsolver_status_text(got_), (int)(expected));                         \
            ++failures;                                                                         \
        }                                                                                       \
    } while (0)

/* The value of `card` among a result's cards, or -1 when it is not there. */
static int value_of(const ddsolver_card_value* cards, int count, const char* card) {
    int i;
    for (i = 0; i < count; ++i)
        if (strcmp(cards[i].card, card) == 0) return cards[i].tricks;
    return -1;
}

static int vulnerability_number(const char* text) {
    if (strcmp(text, "None") == 0) return 0;
    if (strcmp(text, "All") == 0) return 1;
    if (strcmp(text, "NS") == 0) return 2;
    return 3; /* EW */
}

static int seat_number(char letter) {
    return (int)(strchr("NESW", letter) - "NESW");
}

/* The ten published deals of bridge_pbn10.tsv (see tests/data/README.md):
 * each deal's table, then dealer par with the published score and contracts. */
static void published_tables_and_par(ddsolver_solver* solver) {
    char line[1024];
    int deals = 0;
    FILE* file = fopen(DDSOLVER_TESTDATA_DIR "/bridge_pbn10.tsv", "r");
    CHECK(file != NULL);
    if (file == NULL) return;
    if (fgets(line, sizeof line, file) == NULL) ++failures; /* the header */
    while (fgets(line, sizeof line, file) != NULL) {
        char* columns[10];
        char* cursor = line;
        int n, strain, seat, tricks[5][4], score = 0;
        char contracts[DDSOLVER_PAR_TEXT_SIZE];
        for (n = 0; n < 10; ++n) {
            columns[n] = cursor;
            cursor += strcspn(cursor, "\t\n");
            if (*cursor != '\0') *cursor++ = '\0';
        }
        CHECK_STATUS(ddsolver_table(solver, columns[2], tricks), DDSOLVER_OK);
        cursor = columns[3];
        for (strain = 0; strain < 5; ++strain) {
            for (seat = 0; seat < 4; ++seat) {
                long expected = strtol(cursor, &cursor, 10);
                if (tricks[strain][seat] != expected) {
                    fprintf(stderr, "deal %d strain %d seat %d: %d tricks, published %ld\n",
                            deals + 1, strain, seat, tricks[strain][seat], expected);
                    ++failures;
                }
            }
        }
        CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, vulnerability_number(columns[1]),
                                  seat_number(columns[0][0]), &score, contracts, sizeof contracts),
                     DDSOLVER_OK);
        CHECK(score == atoi(columns[8]));
        if (strcmp(contracts, columns[9]) != 0) {
            fprintf(stderr, "deal %d: par contracts \"%s\", published \"%s\"\n", deals + 1,
                    contracts, columns[9]);
            ++failures;
        }
        /* The text exactly fills a buffer one byte longer than it. */
        CHECK_STATUS(
            ddsolver_par((const int(*)[4])tricks, vulnerability_number(columns[1]),
                         seat_number(columns[0][0]), &score, contracts, strlen(columns[9]) + 1),
            DDSOLVER_OK);
        CHECK_STATUS(
            ddsolver_par((const int(*)[4])tricks, vulnerability_number(columns[1]),
                         seat_number(columns[0][0]), &score, contracts, strlen(columns[9])),
            DDSOLVER_BUFFER_TOO_SMALL);
        ++deals;
    }
    fclose(file);
    CHECK(deals == 10);
}

/* The first published deal: 2S by East-West, North dealing, none vulnerable. */
static const char* const DEAL1 =
    "N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3";

static void table_and_par_refusals(ddsolver_solver* solver) {
    int tricks[5][4] = {{0}};
    int score = 0;
    char text[DDSOLVER_PAR_TEXT_SIZE];
    CHECK_STATUS(ddsolver_table(NULL, DEAL1, tricks), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_table(solver, NULL, tricks), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_table(solver, DEAL1, NULL), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_table(solver, "X:QJ6.K652.J85.T98", tricks), DDSOLVER_PBN_BAD_FIRST_SEAT);
    CHECK_STATUS(ddsolver_table(solver, "N:QJ6.K652.J85.T98 873.J97.AT764.Q4", tricks),
                 DDSOLVER_PBN_TOO_FEW_HANDS);
    /* A position's hands are not a full deal. */
    CHECK_STATUS(ddsolver_table(solver, "N:AQ... K.3.. 2..2. 3..3.", tricks),
                 DDSOLVER_PBN_BAD_HAND_SIZE);

    CHECK_STATUS(ddsolver_par(NULL, 0, 0, &score, text, sizeof text), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 0, NULL, text, sizeof text),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 0, &score, NULL, sizeof text),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 4, 0, &score, text, sizeof text),
                 DDSOLVER_BAD_VULNERABILITY);
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, -1, 0, &score, text, sizeof text),
                 DDSOLVER_BAD_VULNERABILITY);
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 4, &score, text, sizeof text),
                 DDSOLVER_BAD_DECLARER);
    tricks[4][3] = 14;
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 0, &score, text, sizeof text),
                 DDSOLVER_BAD_TRICK_COUNT);
    tricks[4][3] = -1;
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 0, &score, text, sizeof text),
                 DDSOLVER_BAD_TRICK_COUNT);
    /* Nobody makes anything: passed out, an empty text that fits one byte. */
    tricks[4][3] = 0;
    score = 99;
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 0, &score, text, 1), DDSOLVER_OK);
    CHECK(score == 0 && text[0] == '\0');
    CHECK_STATUS(ddsolver_par((const int(*)[4])tricks, 0, 0, &score, text, 0),
                 DDSOLVER_BUFFER_TOO_SMALL);
}

/* An ending counted by hand, no trump, North to lead: North AQ of spades, East
 * the king of spades and the three of hearts, South and West small cards.
 * The ace takes both tricks; the queen loses to the king, and East's heart
 * then wins the last trick. */
static const char* const ENDING = "N:AQ... K.3.. 2..2. 3..3.";

static void bridge_positions(ddsolver_solver* solver) {
    ddsolver_result result;
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 4, 0, NULL, &result), DDSOLVER_OK);
    CHECK(result.north_south == 2 && result.east_west == 0);
    CHECK(result.count == 2);
    CHECK(value_of(result.cards, result.count, "SA") == 2);
    CHECK(value_of(result.cards, result.count, "SQ") == 0);
    CHECK(strcmp(result.cards[0].card, "SA") == 0); /* best first */

    /* The ace led: East must follow with the king, and his side takes nothing. */
    CHECK_STATUS(ddsolver_solve(solver, "N:Q... K.3.. 2..2. 3..3.", 4, 0, "SA", &result),
                 DDSOLVER_OK);
    CHECK(result.north_south == 2 && result.east_west == 0);
    CHECK(result.count == 1 && value_of(result.cards, result.count, "SK") == 0);
    /* An empty trick text is no card. */
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 4, 0, "", &result), DDSOLVER_OK);
    CHECK(result.north_south == 2);

    CHECK_STATUS(ddsolver_solve(NULL, ENDING, 4, 0, NULL, &result), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_solve(solver, NULL, 4, 0, NULL, &result), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 4, 0, NULL, NULL), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 5, 0, NULL, &result), DDSOLVER_BAD_STRAIN);
    CHECK_STATUS(ddsolver_solve(solver, ENDING, -1, 0, NULL, &result), DDSOLVER_BAD_STRAIN);
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 4, 4, NULL, &result), DDSOLVER_BAD_LEADER);
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 4, -1, NULL, &result), DDSOLVER_BAD_LEADER);
    CHECK_STATUS(ddsolver_solve(solver, "N:AQ.. K.3.. 2..2. 3..3.", 4, 0, NULL, &result),
                 DDSOLVER_PBN_BAD_SUIT_COUNT);
    CHECK_STATUS(ddsolver_solve(solver, "N:AX... K.3.. 2..2. 3..3.", 4, 0, NULL, &result),
                 DDSOLVER_PBN_BAD_RANK);
    CHECK_STATUS(ddsolver_solve(solver, "N:AQ... K.3.. 2..2. 3...", 4, 0, NULL, &result),
                 DDSOLVER_UNEVEN_HANDS);
    CHECK_STATUS(ddsolver_solve(solver, "N:Q... K.3.. 2..2. 3..3.", 4, 0, "SZ", &result),
                 DDSOLVER_BAD_CARD);
    CHECK_STATUS(ddsolver_solve(solver, ENDING, 4, 0, "SA", &result), DDSOLVER_CARD_TWICE);
    CHECK_STATUS(ddsolver_solve(solver, "N:... .3.. ..2. ..3.", 4, 0, "SA SK S2 S3", &result),
                 DDSOLVER_TRICK_TOO_LARGE);
}

/* A full deal with a suit to each seat: North spades, East hearts, South
 * diamonds, West clubs. In spades with East leading, North ruffs the first
 * trick and takes all thirteen: every value is 13. */
static const char* const SUIT_EACH =
    "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432";

static void play_review(ddsolver_solver* solver) {
    static const char ranks[] = "AKQJT98765432";
    char play[53 * 3 + 4] = "";
    int values[54], count = 0, i, all13 = 1;
    /* Trick 1 from East (heart, diamond, club, ruff), then North leads spades. */
    for (i = 0; i < 13; ++i) {
        char trick[16];
        if (i == 0)
            sprintf(trick, "H%c D%c C%c S%c ", ranks[i], ranks[i], ranks[i], ranks[i]);
        else
            sprintf(trick, "S%c H%c D%c C%c ", ranks[i], ranks[i], ranks[i], ranks[i]);
        strcat(play, trick);
    }
    CHECK_STATUS(ddsolver_review(solver, SUIT_EACH, 0, 1, play, values, 53, &count), DDSOLVER_OK);
    CHECK(count == 53);
    for (i = 0; i < count; ++i) all13 = all13 && values[i] == 13;
    CHECK(all13);
    CHECK_STATUS(ddsolver_review(solver, SUIT_EACH, 0, 1, play, values, 52, &count),
                 DDSOLVER_BUFFER_TOO_SMALL);
    strcat(play, "SA");
    CHECK_STATUS(ddsolver_review(solver, SUIT_EACH, 0, 1, play, values, 54, &count),
                 DDSOLVER_PLAY_OVER);
    CHECK(count == 53);

    /* No trump, East leading to North's contract: the published 6 tricks. */
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "", values, 1, &count), DDSOLVER_OK);
    CHECK(count == 1 && values[0] == 6);
    /* Each card's value is the solve of the position it leaves: after East's
     * diamond lead, the position with D4 on the trick. */
    {
        ddsolver_result after;
        CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "D4", values, 2, &count), DDSOLVER_OK);
        CHECK_STATUS(ddsolver_solve(solver,
                                    "N:QJ6.K652.J85.T98 873.J97.AT76.Q4 K5.T83.KQ9.A7652 "
                                    "AT942.AQ4.32.KJ3",
                                    4, 1, "D4", &after),
                     DDSOLVER_OK);
        CHECK(count == 2 && values[0] == 6 && values[1] == after.north_south);
    }
    /* South holds diamonds: the king of spades on a diamond lead revokes. */
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "D4 SK", values, 3, &count), DDSOLVER_REVOKE);
    CHECK(count == 2 && values[0] == 6);
    /* West holds the ace of spades, not East. */
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "SA", values, 2, &count),
                 DDSOLVER_CARD_NOT_HELD);
    CHECK(count == 1);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "D4 X9", values, 3, &count),
                 DDSOLVER_BAD_CARD);

    CHECK_STATUS(ddsolver_review(NULL, DEAL1, 4, 1, "", values, 1, &count), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_review(solver, NULL, 4, 1, "", values, 1, &count),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, NULL, values, 1, &count),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "", NULL, 1, &count), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "", values, 1, NULL), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 7, 1, "", values, 1, &count), DDSOLVER_BAD_STRAIN);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 9, "", values, 1, &count), DDSOLVER_BAD_LEADER);
    CHECK_STATUS(ddsolver_review(solver, DEAL1, 4, 1, "", values, 0, &count),
                 DDSOLVER_BUFFER_TOO_SMALL);
}

/* A preferans ending counted by hand, North declaring no trump and leading:
 * North AQ of spades, East the king of spades and the seven of hearts, West
 * the eight and seven of spades, South nothing. The ace takes both tricks;
 * the queen loses to the king and East's heart wins the last. */
static const char* const PREF_ENDING = "N:AQ... K.7.. ... 87...";

static void preferans_positions(ddsolver_solver* solver) {
    ddsolver_pref_result result;
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 0, 0, 0, NULL, &result), DDSOLVER_OK);
    CHECK(result.declarer == 2 && result.defenders == 0);
    CHECK(result.count == 2);
    CHECK(value_of(result.cards, result.count, "SA") == 2);
    CHECK(value_of(result.cards, result.count, "SQ") == 0);
    /* In misère the same play counts the declarer's tricks: the queen gets
     * rid of both, since he never wins the lead back. */
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 1, 0, 0, NULL, &result), DDSOLVER_OK);
    CHECK(result.declarer == 0 && result.defenders == 2);
    CHECK(value_of(result.cards, result.count, "SQ") == 0);
    CHECK(value_of(result.cards, result.count, "SA") == 2);
    CHECK(strcmp(result.cards[0].card, "SA") == 0); /* the highest value first */
    /* The ace on the trick: East must play the king; the defenders take nothing. */
    CHECK_STATUS(ddsolver_pref_solve(solver, "N:Q... K.7.. ... 87...", 4, 0, 0, 0, "SA", &result),
                 DDSOLVER_OK);
    CHECK(result.declarer == 2 && result.defenders == 0);
    CHECK(result.count == 1 && value_of(result.cards, result.count, "SK") == 0);

    CHECK_STATUS(ddsolver_pref_solve(NULL, PREF_ENDING, 4, 0, 0, 0, NULL, &result),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_pref_solve(solver, NULL, 4, 0, 0, 0, NULL, &result),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 0, 0, 0, NULL, NULL),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 5, 0, 0, 0, NULL, &result),
                 DDSOLVER_BAD_STRAIN);
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 0, 2, 0, NULL, &result),
                 DDSOLVER_BAD_DECLARER);
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 0, 4, 0, NULL, &result),
                 DDSOLVER_BAD_DECLARER);
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 0, 0, 2, NULL, &result),
                 DDSOLVER_BAD_LEADER);
    CHECK_STATUS(ddsolver_pref_solve(solver, PREF_ENDING, 4, 0, 0, -1, NULL, &result),
                 DDSOLVER_BAD_LEADER);
    CHECK_STATUS(ddsolver_pref_solve(solver, "N:A... K... Q... 8...", 4, 0, 0, 0, NULL, &result),
                 DDSOLVER_SEAT_NOT_IN_GAME);
    CHECK_STATUS(ddsolver_pref_solve(solver, "N:A2... K.7.. ... 87...", 4, 0, 0, 0, NULL, &result),
                 DDSOLVER_BAD_CARD);
    CHECK_STATUS(
        ddsolver_pref_solve(solver, "N:... .7.. ... 8...", 4, 0, 0, 0, "SA SK SQ", &result),
        DDSOLVER_TRICK_TOO_LARGE);
}

/* The README's example (`ddsolver 'aqjt9.ak*7*8.kq.a' 0-2000 0 1`): North
 * declares spades, East leads; of the first 2000 splits 510 give seven
 * tricks and 1490 eight. */
static void preferans_histogram(void) {
    static const unsigned long long expected[11] = {0, 0, 0, 0, 0, 0, 0, 510, 1490, 0, 0};
    unsigned long long histogram[11] = {0};
    int tricks;
    /* Two halves add up in the caller's histogram. */
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 0, 0, 0, 1, 0, 1000, 2, histogram),
                 DDSOLVER_OK);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 0, 0, 0, 1, 1000, 2000, 1, histogram),
                 DDSOLVER_OK);
    for (tricks = 0; tricks <= 10; ++tricks) {
        if (histogram[tricks] != expected[tricks]) {
            fprintf(stderr, "histogram[%d] = %llu, expected %llu\n", tricks, histogram[tricks],
                    expected[tricks]);
            ++failures;
        }
    }
    CHECK_STATUS(ddsolver_pref_histogram(NULL, 0, 0, 0, 1, 0, 10, 1, histogram),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 0, 0, 0, 1, 0, 10, 1, NULL),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 6, 0, 0, 1, 0, 10, 1, histogram),
                 DDSOLVER_BAD_STRAIN);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 0, 0, 5, 1, 0, 10, 1, histogram),
                 DDSOLVER_BAD_DECLARER);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 0, 0, 0, 4, 0, 10, 1, histogram),
                 DDSOLVER_BAD_LEADER);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.a", 0, 0, 0, 1, 0, 10, -1, histogram),
                 DDSOLVER_BAD_THREAD_COUNT);
    CHECK_STATUS(ddsolver_pref_histogram("aqjt9.ak*7*8.kq.x", 0, 0, 0, 1, 0, 10, 1, histogram),
                 DDSOLVER_PREF_INVALID_SYMBOL);
    /* A refusal leaves the histogram as it was. */
    CHECK(histogram[7] == 510 && histogram[8] == 1490);
}

/* Two cards each: North holds SA SQ, South S3 S2, and SK SJ H3 H2 go two to
 * East and two to West. Counted by hand in no trump, East leading: with both
 * spade honours East's side takes nothing (North 2); with both hearts East
 * cashes them (North 0); in the four split layouts a heart lead holds North
 * to 1. */
static void simulation(void) {
    const char* deal = "N:AQ... - 32... -";
    unsigned long long tricks[14] = {0}, deals = 0;
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", NULL, "1N-N", 1, 1, 0, 100, 2, tricks, &deals),
                 DDSOLVER_OK);
    CHECK(deals == 6 && tricks[0] == 1 && tricks[1] == 4 && tricks[2] == 1);
    /* East holding the spade king: layouts with North taking 2, 1 and 1. */
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", "hascard(E, SK)", "1N-N", 1, 1, 0, 100, 1,
                                   tricks, &deals),
                 DDSOLVER_OK);
    CHECK(deals == 9 && tricks[0] == 1 && tricks[1] == 6 && tricks[2] == 2);
    /* Fifty random deals of the same cards, all solved. */
    deals = 0;
    memset(tricks, 0, sizeof tricks);
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", "", "1N-N", 5, 0, 0, 50, 0, tricks, &deals),
                 DDSOLVER_OK);
    CHECK(deals == 50 && tricks[0] + tricks[1] + tricks[2] == 50);

    CHECK_STATUS(ddsolver_simulate(NULL, "", "", "1N-N", 1, 0, 0, 1, 1, tricks, &deals),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", "", "1N-N", 1, 0, 0, 1, 1, tricks, NULL),
                 DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", "", "8N-N", 1, 0, 0, 1, 1, tricks, &deals),
                 DDSOLVER_BAD_CONTRACT);
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", "hcp(", "1N-N", 1, 0, 0, 1, 1, tricks, &deals),
                 DDSOLVER_BAD_CONSTRAINT);
    CHECK_STATUS(ddsolver_simulate(deal, "AK.32..", "", "1N-N", 1, 0, 0, 1, 1, tricks, &deals),
                 DDSOLVER_UNSEEN_CARD_KNOWN);
    CHECK_STATUS(ddsolver_simulate(deal, "K.32..", "", "1N-N", 1, 0, 0, 1, 1, tricks, &deals),
                 DDSOLVER_HANDS_NOT_EQUAL);
    CHECK_STATUS(ddsolver_simulate("N:- - - -", "", "", "1N-N", 1, 1, 0, 1, 1, tricks, &deals),
                 DDSOLVER_TOO_MANY_LAYOUTS);
    CHECK_STATUS(ddsolver_simulate(deal, "KJ.32..", "", "1N-N", 1, 0, 0, 1, -1, tricks, &deals),
                 DDSOLVER_BAD_THREAD_COUNT);
    /* Refusals leave the counts as they were. */
    CHECK(deals == 50);
}

static void statuses_and_version(void) {
    int major = -1, minor = -1, patch = -1;
    char text[32];
    CHECK(strcmp(ddsolver_status_text(DDSOLVER_OK), "ok") == 0);
    CHECK(strcmp(ddsolver_status_text(DDSOLVER_BUFFER_TOO_SMALL),
                 "buffer too small for the result") == 0);
    CHECK(strcmp(ddsolver_status_text(DDSOLVER_OUT_OF_MEMORY),
                 "the solver's table could not be reserved") == 0);
    CHECK(strcmp(ddsolver_status_text(-1), "unknown status") == 0);
    CHECK(strcmp(ddsolver_status_text(DDSOLVER_OUT_OF_MEMORY + 1), "unknown status") == 0);

    CHECK_STATUS(ddsolver_version(&major, &minor, &patch), DDSOLVER_OK);
    CHECK(major >= 1 && minor >= 0 && patch >= 0);
    sprintf(text, "%d.%d.%d", major, minor, patch);
    CHECK(strcmp(ddsolver_version_string(), text) == 0);
    CHECK_STATUS(ddsolver_version(NULL, &minor, &patch), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_version(&major, NULL, &patch), DDSOLVER_NULL_ARGUMENT);
    CHECK_STATUS(ddsolver_version(&major, &minor, NULL), DDSOLVER_NULL_ARGUMENT);
}

int main(void) {
    ddsolver_solver* solver = ddsolver_solver_create();
    CHECK(solver != NULL);
    if (solver == NULL) return 1;
    statuses_and_version();
    published_tables_and_par(solver);
    table_and_par_refusals(solver);
    bridge_positions(solver);
    play_review(solver);
    preferans_positions(solver);
    preferans_histogram();
    simulation();
    ddsolver_solver_destroy(solver);
    ddsolver_solver_destroy(NULL);
    if (failures != 0) {
        fprintf(stderr, "%d failures\n", failures);
        return 1;
    }
    printf("C interface: all checks passed\n");
    return 0;
}
