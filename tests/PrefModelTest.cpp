// Preferans solver internals: suit lists, the card-set key, table slots and
// the order and pruning of the second and third players' candidate lists.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "preferans/Solver.h"
#include "support/PrefPositions.h"

namespace {

using preferans::ListItem;

// One engine object for these tests (large: kept out of the stack).
preferans::Solver& solver() {
    static preferans::Solver engine;
    return engine;
}

const char RANK_LETTERS[] = "789TJQKA";  // rank position 0 (seven) to 7 (ace)

// A card written as suit digit and rank letter, e.g. "2Q".
int cardIndex32(const std::string& card) {
    return (card[0] - '0') * 8 +
           static_cast<int>(std::strchr(RANK_LETTERS, card[1]) - RANK_LETTERS);
}

std::string cardName(const ListItem* item) {
    return std::string(1, static_cast<char>('0' + item->suit)) + RANK_LETTERS[item->rank];
}

// A 32-card deal array: each player's cards as space-separated names.
struct Deal32 {
    int cards[32];
    Deal32(const std::string& player0, const std::string& player1, const std::string& player2) {
        for (int& c : cards) c = 3;
        const std::string hands[3] = {player0, player1, player2};
        for (int player = 0; player < 3; player++) {
            for (size_t i = 0; i + 1 < hands[player].size(); i += 3) {
                cards[cardIndex32(hands[player].substr(i, 2))] = player;
            }
        }
    }
};

// Every suit list read upward and downward, with owners, e.g. "0:7a.Qb|...".
std::string listSnapshot() {
    std::string text;
    for (int s = 0; s < 4; s++) {
        for (ListItem* c = solver().S[s].higher; c != &solver().Q[s]; c = c->higher) {
            text += cardName(c) + static_cast<char>('a' + c->owner) + " ";
        }
        text += "/ ";
        for (ListItem* c = solver().Q[s].lower; c != &solver().S[s]; c = c->lower) {
            text += cardName(c) + " ";
        }
        text += "| ";
    }
    return text;
}

std::string names(ListItem* const* list, int count) {
    std::string text;
    for (int i = 0; i < count; i++) text += (i ? " " : "") + cardName(list[i]);
    return text;
}

}  // namespace

TEST(PrefLists, HoldCardsInRankOrderBetweenSentinels) {
    Deal32 deal("0A 07 2T", "0Q 29", "28");
    solver().InitList(deal.cards);
    EXPECT_EQ(listSnapshot(), "07a 0Qb 0Aa / 0A 0Q 07 | / | 28c 29b 2Ta / 2T 29 28 | / | ");
    // Cards in play fill the suit's items from its first one, lowest first.
    EXPECT_EQ(solver().S[0].higher, &solver().T[0]);
    EXPECT_EQ(solver().T[2].higher, &solver().Q[0]);
    EXPECT_EQ(solver().S[2].higher, &solver().T[16]);
    // An empty suit links its two sentinels to each other.
    EXPECT_EQ(solver().S[1].higher, &solver().Q[1]);
    EXPECT_EQ(solver().Q[1].lower, &solver().S[1]);
    EXPECT_EQ(solver().S[1].lower, nullptr);
}

TEST(PrefLists, RemoveItemTakesOutOnlyACardInTheList) {
    Deal32 deal("0A 07 2T", "0Q 29", "28");
    solver().InitList(deal.cards);
    const std::string before = listSnapshot();
    solver().RemoveItem(0, 6);  // the king of suit 0 is not in play
    solver().RemoveItem(1, 0);  // suit 1 is empty
    EXPECT_EQ(listSnapshot(), before);
    solver().RemoveItem(2, 2);  // the nine of suit 2
    EXPECT_EQ(listSnapshot(), "07a 0Qb 0Aa / 0A 0Q 07 | / | 28c 2Ta / 2T 28 | / | ");
}

// Whatever the search plays, it takes back: after a solve the lists are those
// of the deal less the cards that were already on the table.
TEST(PrefLists, SolveLeavesListsAsDealtLessTableCards) {
    std::mt19937 rng(77);
    for (int onTable = 0; onTable <= 2; onTable++) {
        PrefTestPosition p = randomPrefPosition(rng, 7, onTable);
        // The hands without the table cards, in the solver's own form: seat 3
        // is player 0, seats 0 and 1 players 1 and 2, anything else out of play.
        int inHands[32];
        for (int suit = 0; suit < 4; suit++) {
            for (int rank = 0; rank < 8; rank++) {
                const int code = p.deal[suit * 13 + 7 - rank];
                inHands[suit * 8 + rank] = code == 4 ? 0 : code == 1 || code == 2 ? code : 3;
            }
        }
        solver().InitList(inHands);
        const std::string expected = listSnapshot();
        ASSERT_TRUE(solver().solve(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere));
        EXPECT_EQ(listSnapshot(), expected) << prefPositionString(p);
    }
}

namespace {

// Bit of a card in the key: suit s owns byte s, ace lowest, seven highest.
uint32_t keyBit(int dealIndex) {
    int suit = dealIndex / 13;
    int fromAce = dealIndex % 13;
    return 1u << (suit * 8 + fromAce);
}

// The key of the cards out of the hands (table cards count as held).
uint32_t rootKeyOf(const int* deal) {
    uint32_t key = 0;
    for (int i = 0; i < 52; i++) {
        int code = deal[i];
        bool held = code == 1 || code == 2 || code == 4 || code == 5 || code == 6 || code == 8;
        if (i % 13 <= 7 && !held) key |= keyBit(i);
    }
    return key;
}

}  // namespace

// Every stored position is the root with whole tricks of held cards played,
// which shows that the key follows each play and take-back exactly.
TEST(PrefKey, StoredKeysAreTheRootPlusWholeTricks) {
    std::mt19937 rng(5);
    for (int round = 0; round < 6; round++) {
        PrefTestPosition p = randomPrefPosition(rng, 6, 0);
        ASSERT_TRUE(solver().solve(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere));
        const uint32_t root = rootKeyOf(p.deal);
        int stored = 0;
        for (const preferans::HashEntry& e : solver().hashtable) {
            if (e.key == root) continue;
            stored++;
            ASSERT_EQ(e.key & root, root);
            ASSERT_EQ(__builtin_popcount(e.key ^ root) % 3, 0) << std::hex << e.key;
        }
        EXPECT_GT(stored, 0);
    }
}

TEST(PrefTable, ThreeLeadersOfAKeyNeverShareASlot) {
    std::mt19937 rng(3);
    std::vector<uint32_t> keys = {0u,     1u,      2u,          3u,          69999u,     70000u,
                                  70001u, 139999u, 0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u};
    for (int i = 0; i < 100000; i++) keys.push_back(static_cast<uint32_t>(rng()));
    for (uint32_t key : keys) {
        uint32_t slots[3];
        for (int leader = 0; leader < 3; leader++) {
            slots[leader] = preferans::Record::slotOf(key, static_cast<int8_t>(leader));
            ASSERT_LT(slots[leader], preferans::Record::TABLE_SIZE);
        }
        ASSERT_NE(slots[0], slots[1]) << key;
        ASSERT_NE(slots[0], slots[2]) << key;
        ASSERT_NE(slots[1], slots[2]) << key;
    }
}

namespace {

struct ReplyCase {
    const char* name;
    const char* leader;  // cards of player 0, who leads
    const char* second;  // player 1
    const char* third;   // player 2
    int leadSuit;
    int trump;
    const char* moves2;
    const char* moves3;
};

}  // namespace

// Candidate lists of the second and third player; the expected order and
// choice of cards come from the rules and the walk orders, worked by hand.
TEST(PrefReplies, FollowTrumpOrDiscardInWalkOrder) {
    const ReplyCase cases[] = {
        // The trump suit led: a void player discards from the other three suits.
        {"TrumpLedVoidDiscards", "1A", "18", "07 09 2J 38", 1, 1, "18", "07 2J 38"},
        // No trump: the void player discards lowest first, suit by suit.
        {"NoTrumpVoidDiscards", "29", "0K 17 39", "28 2T", 2, 4, "0K 17 39", "2T 28"},
        // Both void: the one with trumps trumps, the other discards.
        {"SecondTrumpsThirdDiscards", "0A 3J", "37 3Q 18", "1A 27", 0, 3, "37 3Q", "1A 27"},
        {"ThirdTrumpsSecondDiscards", "0A 3J", "1A 27", "37 3Q 18", 0, 3, "1A 27", "37 3Q"},
        {"BothTrump", "0A 29", "28 1A", "2K 37", 0, 2, "28", "2K"},
        {"NeitherTrumpsBothDiscard", "0A", "17 3A", "18 3K", 0, 2, "17 3A", "18 3K"},
        // One follows, the other must trump, else discards.
        {"FollowerAndTrumper", "0A 0Q", "0K 09", "17 2T 28", 0, 2, "0K 09", "28"},
        {"FollowerAndDiscarder", "0A", "0K", "17 2T 28", 0, 4, "0K", "17 28"},
        // A run broken by the card led itself gives two candidates.
        {"RunBrokenByCardLed", "0Q", "0K 0J", "07", 0, 4, "0K 0J", "07"},
        // King, queen and jack together: the king when following...
        {"ThreeInARowFollowing", "0A", "0K 0Q 0J", "07", 0, 4, "0K", "07"},
        // ...the jack when discarding or trumping.
        {"ThreeInARowDiscarding", "1A", "0K 0Q 0J", "17", 1, 4, "0J", "17"},
        {"ThreeInARowTrumping", "1A", "0K 0Q 0J", "17", 1, 0, "0J", "17"},
        // Cards of the other players separate runs, out-of-play cards do not.
        {"PartnersCardsSeparate", "0A", "0K 0Q 09", "0J 07", 0, 4, "0K 09", "0J 07"},
    };
    preferans::Record& rec = solver().records[9];
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Deal32 deal(c.leader, c.second, c.third);
        solver().InitList(deal.cards);
        solver().trump = static_cast<signed char>(c.trump);
        rec.who[0] = 0;
        rec.who[1] = 1;
        rec.who[2] = 2;
        rec.leadSuit = static_cast<uint8_t>(c.leadSuit);
        rec.find_suitable_cards();
        EXPECT_EQ(names(rec.moves2, rec.nmoves2), c.moves2);
        EXPECT_EQ(names(rec.moves3, rec.nmoves3), c.moves3);
    }
}

// The third player alone, with the second card already chosen: the suit led
// is walked from the lowest card up.
TEST(PrefReplies, ThirdPlayerAloneWalksSuitLedUpward) {
    Deal32 deal("0A", "0T", "0K 09 17");
    solver().InitList(deal.cards);
    solver().trump = 1;
    preferans::Record& rec = solver().records[9];
    rec.who[0] = 0;
    rec.who[1] = 1;
    rec.who[2] = 2;
    rec.leadSuit = 0;
    rec.find_suitable_cards2();
    EXPECT_EQ(names(rec.moves3, rec.nmoves3), "09 0K");

    rec.leadSuit = 2;  // void: trumps, lowest first
    rec.find_suitable_cards2();
    EXPECT_EQ(names(rec.moves3, rec.nmoves3), "17");

    solver().trump = 4;  // void without trumps: discards
    rec.find_suitable_cards2();
    EXPECT_EQ(names(rec.moves3, rec.nmoves3), "09 0K 17");
}
