// Fuzz target: the readers of played boards. The bytes are read both as a
// PBN game file and as LIN records. Every board carries a one-line reason,
// or holds a full deal of 52 cards, 13 to a hand, and a play of at most 52
// cards that a check written here on a plain array of holders finds legal
// (each card held by the seat to play and not played before, the suit led
// followed when the seat can, each trick led by the winner of the one
// before); its opening leader sits on declarer's left and a claim lies in
// 0 to 13. Each accepted board, written back as a LIN record, reads back
// to the same board.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ddsolver/PlayedBoard.h"

using namespace ddsolver;

namespace {

// Lines as std::getline counts them.
int countLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

void checkPlay(const PlayedBoard& board) {
    FUZZ_CHECK(board.play.size() <= 52);
    if (board.play.empty()) return;
    FUZZ_CHECK(board.contract && board.leader);
    int holder[52];  // the seat that still holds each card, -1 once played
    for (int index = 0; index < 52; ++index)
        holder[index] = static_cast<int>(*board.deal.holder(Card::fromIndex(index)));
    const int trump = static_cast<int>(board.contract->strain);  // 4: none of the suits
    int leader = static_cast<int>(*board.leader);
    Card trick[4];
    for (size_t i = 0; i < board.play.size(); ++i) {
        const int place = static_cast<int>(i % 4), seat = (leader + place) % 4;
        const Card card = board.play[i];
        FUZZ_CHECK(card.valid() && holder[card.index()] == seat);
        if (place > 0 && card.suit() != trick[0].suit()) {
            for (int index = 0; index < 52; ++index) {
                FUZZ_CHECK(holder[index] != seat ||
                           Card::fromIndex(index).suit() != trick[0].suit());
            }
        }
        holder[card.index()] = -1;
        trick[place] = card;
        if (place < 3) continue;
        int best = 0;
        for (int k = 1; k < 4; ++k) {
            const bool ruffs = static_cast<int>(trick[k].suit()) == trump &&
                               static_cast<int>(trick[best].suit()) != trump;
            const bool beats =
                trick[k].suit() == trick[best].suit() && trick[k].rank() > trick[best].rank();
            if (ruffs || beats) best = k;
        }
        leader = (leader + best) % 4;
    }
}

// The board as a LIN record: the deal, the vulnerability, an auction in
// which declarer alone bids (doubled by his left-hand opponent, redoubled
// by his partner), the play and the claim.
std::string linRecord(const PlayedBoard& board, bool withAuction) {
    static const Seat ORDER[4] = {Seat::South, Seat::West, Seat::North, Seat::East};
    std::string text = "md|";
    for (int h = 0; h < 4; ++h) {
        if (ORDER[h] == board.dealer) text += static_cast<char>('1' + h);
    }
    for (int h = 0; h < 4; ++h) {
        if (h > 0) text += ',';
        for (Suit suit : ALL_SUITS) {
            text += suitLetter(suit);
            for (Card card : board.deal.hand(ORDER[h])) {
                if (card.suit() == suit) text += card.text()[1];
            }
        }
    }
    text += "|";
    if (board.vulnerability)
        text += std::string("sv|") + "obne"[static_cast<int>(*board.vulnerability)] + "|";
    if (!withAuction) return text;
    for (Seat seat = board.dealer; seat != *board.declarer; seat = nextSeat(seat)) text += "mb|p|";
    text += "mb|" + std::to_string(board.contract->level) +
            "SHDCN"[static_cast<int>(board.contract->strain)] + "|";
    if (board.contract->doubling != Doubling::Undoubled) text += "mb|d|";
    if (board.contract->doubling == Doubling::Redoubled) text += "mb|r|";
    text += "mb|p|mb|p|mb|p|";
    for (Card card : board.play) text += "pc|" + card.text() + "|";
    if (board.claim) text += "mc|" + std::to_string(*board.claim) + "|";
    return text;
}

void checkReadsBack(const PlayedBoard& board) {
    const bool withAuction = board.contract && board.declarer;
    const std::vector<PlayedBoard> again = readLinBoards(linRecord(board, withAuction));
    FUZZ_CHECK(again.size() == 1 && again[0].error.empty());
    const PlayedBoard& read = again[0];
    FUZZ_CHECK(read.deal == board.deal && read.dealer == board.dealer &&
               read.vulnerability == board.vulnerability);
    if (!withAuction) {
        FUZZ_CHECK(board.play.empty() && !board.claim);
        return;
    }
    FUZZ_CHECK(read.contract && read.contract->level == board.contract->level &&
               read.contract->strain == board.contract->strain &&
               read.contract->doubling == board.contract->doubling);
    FUZZ_CHECK(read.declarer == board.declarer && read.leader == board.leader &&
               read.play == board.play && read.claim == board.claim);
}

void checkBoards(const std::vector<PlayedBoard>& boards, int lines) {
    int previousLine = 0;
    for (const PlayedBoard& board : boards) {
        FUZZ_CHECK(board.line > previousLine && board.line <= lines);
        previousLine = board.line;
        if (!board.error.empty()) {
            FUZZ_CHECK(board.error.find('\n') == std::string::npos);
            continue;
        }
        for (int index = 0; index < 52; ++index)
            FUZZ_CHECK(board.deal.holder(Card::fromIndex(index)));
        for (Seat seat : ALL_SEATS) FUZZ_CHECK(board.deal.count(seat) == 13);
        FUZZ_CHECK(static_cast<int>(board.dealer) < 4);
        if (board.contract) {
            FUZZ_CHECK(board.contract->level >= 1 && board.contract->level <= 7);
            FUZZ_CHECK(static_cast<int>(board.contract->strain) <= 4);
            FUZZ_CHECK(static_cast<int>(board.contract->doubling) <= 2);
        }
        if (board.declarer && board.leader) FUZZ_CHECK(*board.leader == nextSeat(*board.declarer));
        if (board.claim) FUZZ_CHECK(*board.claim >= 0 && *board.claim <= 13 && board.declarer);
        checkPlay(board);
        checkReadsBack(board);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const int lines = countLines(input);
    checkBoards(readPbnGames(input), lines);
    checkBoards(readLinBoards(input), lines);
    return 0;
}
