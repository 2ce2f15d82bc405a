// Fuzz target: the simulation's deal argument and constraint language. The
// bytes are three lines: the deal text, the unseen cards and the constraint
// expression. A refusal carries a one-line reason (a constraint's with a
// column inside the text or just past it); accepted known cards make four
// equal hands, and the deals and layouts dealt from them keep every known
// card where it is and give each hand its share of the unseen ones.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "ddsolver/Simulation.h"

using namespace ddsolver;

namespace {

bool oneLine(const std::string& text) {
    return !text.empty() && text.find('\n') == std::string::npos;
}

void checkDeal(const KnownCards& cards, const Deal& deal) {
    uint64_t all = 0;
    for (Seat seat : ALL_SEATS) {
        FUZZ_CHECK(deal.count(seat) == cards.handSize());
        FUZZ_CHECK((deal.cards(seat) & cards.known().cards(seat)) == cards.known().cards(seat));
        all |= deal.cards(seat);
    }
    uint64_t known = 0;
    for (Seat seat : ALL_SEATS) known |= cards.known().cards(seat);
    FUZZ_CHECK(all == (known | cards.unseen()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader in(data, size);
    const std::string dealText = in.line(), unseenText = in.line(), where = in.line();

    KnownCards cards;
    std::string reason;
    const bool dealt = KnownCards::fromText(dealText, unseenText, cards, &reason) == Status::Ok;
    if (!dealt) FUZZ_CHECK(oneLine(reason));

    Constraint constraint;
    ConstraintError error;
    const bool compiled = Constraint::compile(where, constraint, &error) == Status::Ok;
    if (!compiled) {
        FUZZ_CHECK(oneLine(error.message));
        FUZZ_CHECK(error.column >= 1 && error.column <= static_cast<int>(where.size()) + 1);
    }
    if (!dealt) return 0;

    int missing = 0;
    for (Seat seat : ALL_SEATS) {
        FUZZ_CHECK(cards.missing(seat) >= 0);
        missing += cards.missing(seat);
    }
    FUZZ_CHECK(cards.handSize() >= 1 && cards.handSize() <= 13);
    FUZZ_CHECK(missing == __builtin_popcountll(cards.unseen()));

    const Dealer dealer(cards);
    DealFilter filter;
    if (compiled) filter = [&](const Deal& deal) { return constraint.accepts(deal); };
    for (uint64_t number = 0; number < 3; ++number) {
        Deal deal;
        uint64_t tries = 0;
        if (dealer.deal(size, number, filter, deal, tries, 200)) checkDeal(cards, deal);
        FUZZ_CHECK(tries >= 1 && tries <= 200);
    }
    const uint64_t layouts = dealer.layoutCount();
    FUZZ_CHECK(layouts >= 1);
    for (uint64_t number : {uint64_t{0}, layouts / 2, layouts - 1})
        if (layouts < UINT64_MAX) checkDeal(cards, dealer.layout(number));
    return 0;
}
