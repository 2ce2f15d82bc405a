// The preferans deal text: the declarer's cards, the two absent cards and an
// optional lead card, checked and turned into card indices.
#include "analysis/DealNotation.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "ddsolver/compat/DealCodes.h"

using ddsolver::Status;

namespace {

constexpr int PLAYER_CARDS = 10;
constexpr int ABSENT_CARDS = 2;
constexpr int LAST_SUIT = SUITS - 1;

// Rank position of a rank letter in either case, or -1 for any other character.
int rankPosition(char letter) {
    char lowered = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    const char* found = lowered == '\0' ? nullptr : std::strchr(RANK, lowered);
    return found == nullptr ? -1 : static_cast<int>(found - RANK);
}

}  // namespace

Status parseDeal(const char* text, int leaderArgument, int playerCards[10], int absentCards[2],
                 int knownCards[12], int& leadCard) {
    leadCard = -1;
    if (text == nullptr || *text == '\0') return Status::PrefTooFewAbsentCards;
    int players = 0;
    int absents = 0;
    int suit = 0;
    for (const char* c = text; *c != '\0'; c++) {
        if (*c == '.') {
            if (suit == LAST_SUIT) return Status::PrefTooManyDots;
            suit++;
            continue;
        }
        char prefix = (*c == '*' || *c == '#') ? *c : '\0';
        if (prefix != '\0') {
            c++;
            // The prefix must not be the last character: nothing to read behind it.
            if (*c == '\0') return Status::PrefInvalidCard;
        }
        int rank = rankPosition(*c);
        if (rank < 0) return Status::PrefInvalidSymbol;
        if (rank >= PREFERANS_RANKS) return Status::PrefInvalidCard;
        int card = suit * CARDS_PER_SUIT + rank;
        if (prefix == '*') {
            if (absents == ABSENT_CARDS) return Status::PrefTooManyAbsentCards;
            absentCards[absents++] = card;
        } else if (prefix == '#') {
            if (leaderArgument != 0) return Status::PrefLeadCardNotDeclarers;
            if (leadCard >= 0) return Status::PrefTooManyLeadCards;
            leadCard = card;
        } else {
            if (players == PLAYER_CARDS) return Status::PrefTooManyPlayerCards;
            playerCards[players++] = card;
        }
    }
    if (absents < ABSENT_CARDS) return Status::PrefTooFewAbsentCards;
    int required = leadCard >= 0 ? PLAYER_CARDS - 1 : PLAYER_CARDS;
    if (players < required) return Status::PrefTooFewPlayerCards;
    if (players > required) return Status::PrefTooManyPlayerCardsWithLead;

    int known = 0;
    for (int i = 0; i < players; i++) knownCards[known++] = playerCards[i];
    for (int i = 0; i < absents; i++) knownCards[known++] = absentCards[i];
    if (leadCard >= 0) knownCards[known++] = leadCard;
    std::sort(knownCards, knownCards + known);
    if (std::adjacent_find(knownCards, knownCards + known) != knownCards + known) {
        return Status::PrefCardTwice;
    }
    return Status::Ok;
}
