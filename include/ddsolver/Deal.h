// The vocabulary of both games: seats, suits, strains, cards, a deal that
// reads and writes PBN deal text, and a position with the cards on the
// current trick. All of them are plain values: copy them freely; one object
// may be read from several threads at once, but not read while written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Status.h"

namespace ddsolver {

// In playing order; North and South are one side, East and West the other.
// Preferans is played by North, East and West (in that order).
enum class Seat : uint8_t { North, East, South, West };
enum class Suit : uint8_t { Spades, Hearts, Diamonds, Clubs };
// The suits as trumps, and no trump.
enum class Strain : uint8_t { Spades, Hearts, Diamonds, Clubs, NoTrump };

inline constexpr std::array<Seat, 4> ALL_SEATS = {Seat::North, Seat::East, Seat::South, Seat::West};
inline constexpr std::array<Suit, 4> ALL_SUITS = {Suit::Spades, Suit::Hearts, Suit::Diamonds,
                                                  Suit::Clubs};
inline constexpr std::array<Strain, 5> ALL_STRAINS = {
    Strain::Spades, Strain::Hearts, Strain::Diamonds, Strain::Clubs, Strain::NoTrump};

// The bridge seat after `seat` (West is followed by North).
constexpr Seat nextSeat(Seat seat) {
    return static_cast<Seat>((static_cast<int>(seat) + 1) & 3);
}
constexpr bool isNorthSouth(Seat seat) {
    return (static_cast<int>(seat) & 1) == 0;
}
enum class Side : uint8_t { NorthSouth = 0, EastWest = 1 };
constexpr Side sideOf(Seat seat) {
    return isNorthSouth(seat) ? Side::NorthSouth : Side::EastWest;
}
constexpr Strain strainOf(Suit suit) {
    return static_cast<Strain>(suit);
}

// "N", "E", "S", "W"; "S", "H", "D", "C"; and "S" .. "C", "NT".
char seatLetter(Seat seat);
char suitLetter(Suit suit);
const char* strainText(Strain strain);
// Letters in either case ("n", "S"; "NT" or "N" for no trump); false when unknown.
bool seatFromText(std::string_view text, Seat& seat);
bool strainFromText(std::string_view text, Strain& strain);

// One card. Ranks run from 2 (the two) to 14 (the ace) in both games.
class Card {
   public:
    static constexpr int TEN = 10, JACK = 11, QUEEN = 12, KING = 13, ACE = 14;

    constexpr Card() = default;  // no card: valid() is false
    constexpr Card(Suit suit, int rank)
        : suit_(static_cast<uint8_t>(suit)), rank_(static_cast<int8_t>(rank)) {}

    constexpr Suit suit() const { return static_cast<Suit>(suit_); }
    constexpr int rank() const { return rank_; }
    constexpr bool valid() const { return suit_ < 4 && rank_ >= 2 && rank_ <= ACE; }

    // 0 to 51: the suit times 13, then the ace first (the order of PBN text).
    constexpr int index() const { return suit_ * 13 + ACE - rank_; }
    static constexpr Card fromIndex(int index) {
        return Card(static_cast<Suit>(index / 13), ACE - index % 13);
    }

    // "SA", "HT", "C2"; empty for no card.
    std::string text() const;
    // A suit letter and a rank ("SA", "h9", "D10"), either case; false when not a card.
    static bool fromText(std::string_view text, Card& card);

    friend constexpr bool operator==(Card a, Card b) {
        return a.suit_ == b.suit_ && a.rank_ == b.rank_;
    }
    friend constexpr bool operator!=(Card a, Card b) { return !(a == b); }

   private:
    uint8_t suit_ = 0;
    int8_t rank_ = 0;
};

// One legal card of the player to move and the tricks his side takes from
// the current trick on (this trick included) when he plays it.
struct CardValue {
    Card card;
    int tricks = 0;
};

// How many cards each hand of a PBN deal text must hold.
enum class DealSize {
    Full,    // thirteen each: a bridge deal
    Ending,  // any number up to thirteen: the cards still held in a position
};

// Who holds each card: a full deal, or the cards still held in a position.
class Deal {
   public:
    Deal() = default;  // no cards

    // PBN deal text: "N:" (or another seat letter; North when left out), then
    // four hands clockwise from that seat, each "spades.hearts.diamonds.clubs",
    // ranks "AKQJT98765432" in either case, "10" for the ten, "-" for a void.
    // On a refusal `reason` (when given) receives the detail, e.g. "card SA
    // appears twice", and `deal` is unspecified.
    [[nodiscard]] static Status fromPbn(std::string_view text, Deal& deal,
                                        DealSize size = DealSize::Full,
                                        std::string* reason = nullptr);
    // PBN deal text from the given seat, ranks from the ace down, e.g.
    // "N:AKQ.JT9.8765.432 ...". An empty hand is "...".
    std::string toPbn(Seat first = Seat::North) const;

    std::optional<Seat> holder(Card card) const;
    bool holds(Seat seat, Card card) const;
    // Gives the card to the seat (taking it from any other); false for no card.
    bool give(Card card, Seat seat);
    void remove(Card card);
    int count(Seat seat) const;
    int count(Seat seat, Suit suit) const;
    // The seat's cards, suits in order, each from the ace down.
    std::vector<Card> hand(Seat seat) const;
    // The seat's cards as bits: bit Card::index() for each card held.
    uint64_t cards(Seat seat) const { return hands_[static_cast<int>(seat) & 3]; }
    // Gives the seat exactly these cards (bits as cards() gives them), taking
    // them from any other seat.
    void setCards(Seat seat, uint64_t cards);
    bool empty() const;

    friend bool operator==(const Deal& a, const Deal& b) { return a.hands_ == b.hands_; }
    friend bool operator!=(const Deal& a, const Deal& b) { return !(a == b); }

   private:
    std::array<uint64_t, 4> hands_ = {};  // per seat, bit Card::index()
};

// A position: the cards still in the hands, the strain, and the cards already
// on the current trick. Bridge has four seats; preferans plays North, East and
// West, South holding nothing.
struct Position {
    Deal hands;                       // the cards still held
    Strain strain = Strain::NoTrump;  // the trump suit, or no trump
    Seat leader = Seat::North;        // the seat that led the current trick, or leads it
    std::array<Card, 3> trick = {};   // its cards in playing order from the leader
    int trickCount = 0;               // how many of them: 0 to 3 (0 to 2 in preferans)
};

}  // namespace ddsolver
