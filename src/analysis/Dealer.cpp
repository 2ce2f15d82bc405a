// Deals from known cards: seeded random deals, each card equally likely to
// fill every open place, and the numbered layouts of an exact run.
#include <utility>

#include "analysis/Binomial.h"
#include "analysis/DealRandom.h"
#include "ddsolver/Simulation.h"

namespace ddsolver {

namespace {

constexpr Seat SHARE_SEATS[3] = {Seat::North, Seat::East, Seat::South};

}  // namespace

Dealer::Dealer(const KnownCards& cards) : cards_(cards) {
    for (int index = 0; index < 52; ++index) {
        if (cards.unseen() >> index & 1) unseenCards_[unseenCount_++] = static_cast<uint8_t>(index);
    }
    int left = unseenCount_;
    for (int s = 0; s < 3; ++s) {
        shares_[s] = cards.missing(SHARE_SEATS[s]);
        shareLayouts_[s] = BINOMIALS(left, shares_[s]);
        left -= shares_[s];
        if (__builtin_mul_overflow(layoutCount_, shareLayouts_[s], &layoutCount_))
            layoutCount_ = UINT64_MAX;
    }
}

bool Dealer::deal(uint64_t seed, uint64_t number, const DealFilter& filter, Deal& deal,
                  uint64_t& tries, uint64_t maxTries) const {
    // A partial Fisher-Yates shuffle: place i takes a card drawn from places
    // i on, so whatever order the cards are left in, the next candidate's
    // places are filled uniformly. North takes the first places, then East,
    // then South; West the cards no place took.
    std::array<uint8_t, 52> cards = unseenCards_;
    DealRandom random(seed, number);
    const Deal& known = cards_.known();
    const uint64_t unseen = cards_.unseen();
    tries = 0;
    while (tries < maxTries) {
        uint64_t hands[3];
        int place = 0;
        for (int s = 0; s < 3; ++s) {
            uint64_t hand = 0;
            for (const int end = place + shares_[s]; place < end; ++place) {
                const int drawn = place + static_cast<int>(random.below(unseenCount_ - place));
                std::swap(cards[place], cards[drawn]);
                hand |= uint64_t{1} << cards[place];
            }
            hands[s] = hand;
        }
        ++tries;
        for (int s = 0; s < 3; ++s)
            deal.setCards(SHARE_SEATS[s], known.cards(SHARE_SEATS[s]) | hands[s]);
        deal.setCards(Seat::West,
                      known.cards(Seat::West) | (unseen & ~(hands[0] | hands[1] | hands[2])));
        if (!filter || filter(deal)) return true;
        // With one layout every candidate is this deal: the filter (a function
        // of the deal) would refuse them all.
        if (layoutCount_ == 1) tries = maxTries;
    }
    return false;
}

uint64_t Dealer::layoutCount() const {
    return layoutCount_;
}

Deal Dealer::layout(uint64_t number) const {
    // number = (north * eastLayouts + east) * southLayouts + south, each
    // share ranked in lexicographic order of its places among the cards the
    // earlier seats left (in card order): rank 0 takes the first places.
    uint64_t ranks[3];
    for (int s = 2; s >= 0; --s) {
        ranks[s] = number % shareLayouts_[s];
        number /= shareLayouts_[s];
    }
    const Deal& known = cards_.known();
    std::array<uint8_t, 52> left = unseenCards_;
    int leftCount = unseenCount_;
    Deal deal;
    for (int s = 0; s < 3; ++s) {
        uint64_t rank = ranks[s];
        int wanted = shares_[s];
        uint64_t hand = 0;
        int kept = 0;
        for (int place = 0; place < leftCount; ++place) {
            if (wanted > 0) {
                // The shares that take this place come before those that skip it.
                const uint64_t taking = BINOMIALS(leftCount - place - 1, wanted - 1);
                if (rank < taking) {
                    hand |= uint64_t{1} << left[place];
                    --wanted;
                    continue;
                }
                rank -= taking;
            }
            left[kept++] = left[place];
        }
        leftCount = kept;
        deal.setCards(SHARE_SEATS[s], known.cards(SHARE_SEATS[s]) | hand);
    }
    uint64_t west = known.cards(Seat::West);
    for (int place = 0; place < leftCount; ++place) west |= uint64_t{1} << left[place];
    deal.setCards(Seat::West, west);
    return deal;
}

}  // namespace ddsolver
