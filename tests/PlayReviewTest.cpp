// Play review against DDS's play analyser (tests/data/bridge_play20.tsv):
// the value after every card, the cost read off those values, the tricks
// taken; the cards that kept the optimum found by tests agree with those
// found by solving every card; and each kind of illegal play is refused at
// its card.
#include <gtest/gtest.h>

#include <algorithm>

#include "ddsolver/ddsolver.h"
#include "support/PlayTraces.h"

using namespace ddsolver;

namespace {

// The declaring side's count after card `place` as DDS gives it: after the
// 48th card the last trick is forced, so the value stays.
int ddsAfter(const PlayTrace& trace, size_t place) {
    return trace.ddsTricks[std::min<size_t>(place + 1, trace.ddsTricks.size() - 1)];
}

}  // namespace

TEST(PlayReview, GivesDdsValuesAndCostsForTwentyPlayedDeals) {
    const std::vector<PlayTrace> traces = readPlayTraces();
    ASSERT_EQ(traces.size(), 20u);
    BridgeSolver solver;
    for (size_t board = 0; board < traces.size(); ++board) {
        const PlayTrace& trace = traces[board];
        SCOPED_TRACE("board " + std::to_string(board + 1));
        PlayReview reviews[3];
        const ReviewDetail details[3] = {ReviewDetail::Tricks, ReviewDetail::Optimal,
                                         ReviewDetail::EveryCard};
        for (int d = 0; d < 3; ++d) {
            ASSERT_EQ(reviewPlay(solver, trace.deal, trace.strain, trace.leader, trace.cards,
                                 reviews[d], details[d]),
                      Status::Ok);
        }
        const PlayReview& review = reviews[1];
        EXPECT_EQ(review.start, trace.ddsTricks[0]);
        EXPECT_EQ(review.declarerTricksTaken, trace.declarerTricksTaken);
        EXPECT_EQ(review.refusedCard, -1);
        ASSERT_EQ(review.cards.size(), trace.cards.size());
        for (size_t place = 0; place < trace.cards.size(); ++place) {
            const PlayedCardReview& card = review.cards[place];
            const bool declaring = isNorthSouth(card.seat) == isNorthSouth(trace.declarer);
            const int before = place == 0 ? trace.ddsTricks[0] : ddsAfter(trace, place - 1);
            const int after = ddsAfter(trace, place);
            EXPECT_EQ(card.card, trace.cards[place]);
            EXPECT_EQ(card.tricks, after) << "card " << place + 1;
            EXPECT_EQ(card.cost, declaring ? before - after : after - before)
                << "card " << place + 1;
            // The card itself kept the optimum exactly when it cost nothing.
            const bool listed = std::count(card.optimal.begin(), card.optimal.end(), card.card) > 0;
            EXPECT_EQ(listed, card.cost == 0) << "card " << place + 1;
            // Every detail agrees; solving every card gives the same optimum.
            for (const PlayReview& other : {reviews[0], reviews[2]}) {
                EXPECT_EQ(other.cards[place].tricks, card.tricks);
                EXPECT_EQ(other.cards[place].cost, card.cost);
            }
            const PlayedCardReview& everyCard = reviews[2].cards[place];
            EXPECT_EQ(everyCard.optimal, card.optimal) << "card " << place + 1;
            // Values count the declaring side's tricks, so whoever plays,
            // the optimum is the value before the card.
            for (const CardValue& value : everyCard.values) {
                const bool optimal =
                    std::count(card.optimal.begin(), card.optimal.end(), value.card) > 0;
                EXPECT_EQ(value.tricks == before, optimal) << value.card.text();
            }
        }
    }
}

TEST(PlayReview, RefusesAnIllegalPlayAtItsCard) {
    const std::vector<PlayTrace> traces = readPlayTraces();
    ASSERT_FALSE(traces.empty());
    const PlayTrace& trace = traces[2];  // played to the end
    ASSERT_EQ(trace.cards.size(), 52u);
    const Card lead = trace.cards[0];
    // The card led, played again by the next seat, who does not hold it.
    const Card notHeld = lead;
    Card revoke;  // a card of another suit from the second seat, who follows suit
    for (Card card : trace.deal.hand(nextSeat(trace.leader))) {
        if (card.suit() != lead.suit()) revoke = card;
    }
    ASSERT_TRUE(trace.deal.count(nextSeat(trace.leader), lead.suit()) > 0 && revoke.valid());
    std::vector<Card> afterEnd = trace.cards;
    afterEnd.push_back(trace.cards.back());
    const struct {
        std::vector<Card> cards;
        Status status;
        int place;
    } cases[] = {
        {{lead, notHeld}, Status::CardNotHeld, 1},
        {{lead, revoke}, Status::Revoke, 1},
        {{lead, Card()}, Status::BadCard, 1},
        {afterEnd, Status::PlayOver, 52},
    };
    BridgeSolver solver;
    for (const auto& c : cases) {
        PlayReview review;
        EXPECT_EQ(reviewPlay(solver, trace.deal, trace.strain, trace.leader, c.cards, review,
                             ReviewDetail::Tricks),
                  c.status);
        EXPECT_EQ(review.refusedCard, c.place) << describe(c.status);
        EXPECT_EQ(review.cards.size(), static_cast<size_t>(c.place)) << describe(c.status);
    }
    Deal twelve = trace.deal;
    twelve.remove(lead);
    PlayReview review;
    EXPECT_EQ(reviewPlay(solver, twelve, trace.strain, trace.leader, {}, review),
              Status::NotFullDeal);
}
