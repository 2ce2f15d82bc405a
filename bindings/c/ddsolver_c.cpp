// The C interface over the public C++ API: argument checks, text to cards
// and back, and the C++ results copied into the caller's plain structs.
#include "ddsolver/ddsolver_c.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "ddsolver/ddsolver.h"

using namespace ddsolver;

// The C constants mirror Status value for value.
static_assert(DDSOLVER_OK == static_cast<int>(Status::Ok));
static_assert(DDSOLVER_NULL_ARGUMENT == static_cast<int>(Status::NullArgument));
static_assert(DDSOLVER_BAD_STRAIN == static_cast<int>(Status::BadStrain));
static_assert(DDSOLVER_BAD_LEADER == static_cast<int>(Status::BadLeader));
static_assert(DDSOLVER_BAD_DECLARER == static_cast<int>(Status::BadDeclarer));
static_assert(DDSOLVER_BAD_CARD == static_cast<int>(Status::BadCard));
static_assert(DDSOLVER_SEAT_NOT_IN_GAME == static_cast<int>(Status::SeatNotInGame));
static_assert(DDSOLVER_CARD_TWICE == static_cast<int>(Status::CardTwice));
static_assert(DDSOLVER_BAD_THREAD_COUNT == static_cast<int>(Status::BadThreadCount));
static_assert(DDSOLVER_TWO_CARDS_FROM_SEAT == static_cast<int>(Status::TwoCardsFromSeat));
static_assert(DDSOLVER_TRICK_TOO_LARGE == static_cast<int>(Status::TrickTooLarge));
static_assert(DDSOLVER_TRICK_NOT_LEADERS == static_cast<int>(Status::TrickNotLeaders));
static_assert(DDSOLVER_TRICK_OUT_OF_ORDER == static_cast<int>(Status::TrickOutOfOrder));
static_assert(DDSOLVER_UNEVEN_HANDS == static_cast<int>(Status::UnevenHands));
static_assert(DDSOLVER_NOT_ONE_MOVE == static_cast<int>(Status::NotOneMove));
static_assert(DDSOLVER_NOT_FULL_DEAL == static_cast<int>(Status::NotFullDeal));
static_assert(DDSOLVER_PBN_BAD_FIRST_SEAT == static_cast<int>(Status::PbnBadFirstSeat));
static_assert(DDSOLVER_PBN_TOO_FEW_HANDS == static_cast<int>(Status::PbnTooFewHands));
static_assert(DDSOLVER_PBN_BAD_SUIT_COUNT == static_cast<int>(Status::PbnBadSuitCount));
static_assert(DDSOLVER_PBN_BAD_RANK == static_cast<int>(Status::PbnBadRank));
static_assert(DDSOLVER_PBN_CARD_TWICE == static_cast<int>(Status::PbnCardTwice));
static_assert(DDSOLVER_PBN_BAD_HAND_SIZE == static_cast<int>(Status::PbnBadHandSize));
static_assert(DDSOLVER_PBN_TEXT_AFTER_DEAL == static_cast<int>(Status::PbnTextAfterDeal));
static_assert(DDSOLVER_PREF_TOO_FEW_ABSENT_CARDS ==
              static_cast<int>(Status::PrefTooFewAbsentCards));
static_assert(DDSOLVER_PREF_TOO_MANY_DOTS == static_cast<int>(Status::PrefTooManyDots));
static_assert(DDSOLVER_PREF_INVALID_SYMBOL == static_cast<int>(Status::PrefInvalidSymbol));
static_assert(DDSOLVER_PREF_INVALID_CARD == static_cast<int>(Status::PrefInvalidCard));
static_assert(DDSOLVER_PREF_TOO_MANY_ABSENT_CARDS ==
              static_cast<int>(Status::PrefTooManyAbsentCards));
static_assert(DDSOLVER_PREF_TOO_MANY_PLAYER_CARDS ==
              static_cast<int>(Status::PrefTooManyPlayerCards));
static_assert(DDSOLVER_PREF_LEAD_CARD_NOT_DECLARERS ==
              static_cast<int>(Status::PrefLeadCardNotDeclarers));
static_assert(DDSOLVER_PREF_TOO_MANY_LEAD_CARDS == static_cast<int>(Status::PrefTooManyLeadCards));
static_assert(DDSOLVER_PREF_TOO_FEW_PLAYER_CARDS ==
              static_cast<int>(Status::PrefTooFewPlayerCards));
static_assert(DDSOLVER_PREF_TOO_MANY_PLAYER_CARDS_WITH_LEAD ==
              static_cast<int>(Status::PrefTooManyPlayerCardsWithLead));
static_assert(DDSOLVER_PREF_CARD_TWICE == static_cast<int>(Status::PrefCardTwice));
static_assert(DDSOLVER_CARD_NOT_HELD == static_cast<int>(Status::CardNotHeld));
static_assert(DDSOLVER_REVOKE == static_cast<int>(Status::Revoke));
static_assert(DDSOLVER_PLAY_OVER == static_cast<int>(Status::PlayOver));
static_assert(DDSOLVER_BAD_CONSTRAINT == static_cast<int>(Status::BadConstraint));
static_assert(DDSOLVER_BAD_CONTRACT == static_cast<int>(Status::BadContract));
static_assert(DDSOLVER_UNSEEN_CARD_KNOWN == static_cast<int>(Status::UnseenCardKnown));
static_assert(DDSOLVER_HANDS_NOT_EQUAL == static_cast<int>(Status::HandsNotEqual));
static_assert(DDSOLVER_TOO_MANY_LAYOUTS == static_cast<int>(Status::TooManyLayouts));
static_assert(DDSOLVER_CONSTRAINTS_TOO_STRICT == static_cast<int>(Status::ConstraintsTooStrict));
static_assert(DDSOLVER_LEADER_NOT_KNOWN == static_cast<int>(Status::LeaderNotKnown));
static_assert(DDSOLVER_NO_SUCH_LEADER == static_cast<int>(Status::NoSuchLeader));
static_assert(DDSOLVER_BAD_VULNERABILITY == static_cast<int>(Status::BadVulnerability));
static_assert(DDSOLVER_BAD_TRICK_COUNT == static_cast<int>(Status::BadTrickCount));
static_assert(DDSOLVER_BUFFER_TOO_SMALL == static_cast<int>(Status::BufferTooSmall));
static_assert(DDSOLVER_OUT_OF_MEMORY == static_cast<int>(Status::OutOfMemory));

struct ddsolver_solver {
    BridgeSolver bridge;
    PrefSolver pref;
};

namespace {

int code(Status status) {
    return static_cast<int>(status);
}

// Runs a call, turning the one exception the library lets through
// (std::bad_alloc) into a status: nothing may unwind into C.
template <typename Call>
int guarded(Call call) {
    try {
        return code(call());
    } catch (...) {
        return code(Status::OutOfMemory);
    }
}

// Cards separated by blanks ("SA S2"); NULL or blank text is no card.
Status readCards(const char* text, std::vector<Card>& cards) {
    cards.clear();
    if (text == nullptr) return Status::Ok;
    const char* p = text;
    while (*p != '\0') {
        while (*p == ' ' || *p == '\t' || *p == ',') ++p;
        const char* start = p;
        while (*p != '\0' && *p != ' ' && *p != '\t' && *p != ',') ++p;
        if (p == start) break;
        Card card;
        if (!Card::fromText(std::string_view(start, static_cast<size_t>(p - start)), card))
            return Status::BadCard;
        cards.push_back(card);
    }
    return Status::Ok;
}

bool isSeat(int seat) {
    return seat >= 0 && seat < 4;
}
bool isStrain(int strain) {
    return strain >= 0 && strain < 5;
}

// A position from the cards still held and the cards on the current trick.
Status readPosition(const char* pbnHands, int strain, int leader, const char* trickCards,
                    size_t maxTrick, Position& position) {
    Status status = Deal::fromPbn(pbnHands, position.hands, DealSize::Ending);
    if (status != Status::Ok) return status;
    std::vector<Card> trick;
    status = readCards(trickCards, trick);
    if (status != Status::Ok) return status;
    if (trick.size() > maxTrick) return Status::TrickTooLarge;
    position.strain = static_cast<Strain>(strain);
    position.leader = static_cast<Seat>(leader);
    position.trickCount = static_cast<int>(trick.size());
    for (size_t i = 0; i < trick.size(); ++i) position.trick[i] = trick[i];
    return Status::Ok;
}

template <size_t N>
int copyValues(const std::vector<CardValue>& values, ddsolver_card_value (&out)[N]) {
    const size_t count = values.size() < N ? values.size() : N;
    for (size_t i = 0; i < count; ++i) {
        const std::string text = values[i].card.text();
        std::memset(out[i].card, 0, sizeof out[i].card);
        std::memcpy(out[i].card, text.data(), text.size() < 3 ? text.size() : 3);
        out[i].tricks = values[i].tricks;
    }
    return static_cast<int>(count);
}

}  // namespace

extern "C" {

const char* ddsolver_status_text(int status) {
    if (status < 0 || status > code(Status::OutOfMemory)) return "unknown status";
    return describe(static_cast<Status>(status));
}

ddsolver_solver* ddsolver_solver_create(void) {
    try {
        return new ddsolver_solver();
    } catch (...) {
        return nullptr;
    }
}

void ddsolver_solver_destroy(ddsolver_solver* solver) {
    delete solver;
}

int ddsolver_table(ddsolver_solver* solver, const char* pbn, int tricks[5][4]) {
    if (solver == nullptr || pbn == nullptr || tricks == nullptr) return code(Status::NullArgument);
    return guarded([&] {
        Deal deal;
        Status status = Deal::fromPbn(pbn, deal);
        if (status != Status::Ok) return status;
        DdTable table;
        status = solveTable(solver->bridge, deal, table);
        if (status != Status::Ok) return status;
        std::memcpy(tricks, table.tricks, sizeof table.tricks);
        return Status::Ok;
    });
}

int ddsolver_par(const int tricks[5][4], int vulnerability, int dealer, int* score, char* contracts,
                 size_t size) {
    if (tricks == nullptr || score == nullptr || contracts == nullptr)
        return code(Status::NullArgument);
    if (vulnerability < 0 || vulnerability > 3) return code(Status::BadVulnerability);
    if (!isSeat(dealer)) return code(Status::BadDeclarer);
    return guarded([&] {
        DdTable table;
        for (int strain = 0; strain < 5; ++strain) {
            for (int seat = 0; seat < 4; ++seat) {
                if (tricks[strain][seat] < 0 || tricks[strain][seat] > 13)
                    return Status::BadTrickCount;
                table.tricks[strain][seat] = tricks[strain][seat];
            }
        }
        const ParResult par =
            dealerPar(table, static_cast<Seat>(dealer), static_cast<Vulnerability>(vulnerability));
        std::string text;
        for (int i = 0; i < par.count; ++i) {
            if (i > 0) text += ' ';
            text += dealerParContractText(par.contracts[i]);
        }
        if (text.size() >= size) return Status::BufferTooSmall;
        std::memcpy(contracts, text.c_str(), text.size() + 1);
        *score = par.score;
        return Status::Ok;
    });
}

int ddsolver_solve(ddsolver_solver* solver, const char* pbn_hands, int strain, int leader,
                   const char* trick_cards, ddsolver_result* result) {
    if (solver == nullptr || pbn_hands == nullptr || result == nullptr)
        return code(Status::NullArgument);
    if (!isStrain(strain)) return code(Status::BadStrain);
    if (!isSeat(leader)) return code(Status::BadLeader);
    return guarded([&] {
        Position position;
        Status status = readPosition(pbn_hands, strain, leader, trick_cards, 3, position);
        if (status != Status::Ok) return status;
        BridgeResult solved;
        status = solver->bridge.solve(position, solved);
        if (status != Status::Ok) return status;
        std::vector<CardValue> values;
        status = solver->bridge.cardValues(position, values);
        if (status != Status::Ok) return status;
        result->north_south = solved.northSouth;
        result->east_west = solved.eastWest;
        result->count = copyValues(values, result->cards);
        return Status::Ok;
    });
}

int ddsolver_review(ddsolver_solver* solver, const char* pbn, int strain, int leader,
                    const char* cards, int* values, size_t size, int* count) {
    if (solver == nullptr || pbn == nullptr || cards == nullptr || values == nullptr ||
        count == nullptr)
        return code(Status::NullArgument);
    if (!isStrain(strain)) return code(Status::BadStrain);
    if (!isSeat(leader)) return code(Status::BadLeader);
    return guarded([&] {
        Deal deal;
        Status status = Deal::fromPbn(pbn, deal);
        if (status != Status::Ok) return status;
        std::vector<Card> played;
        status = readCards(cards, played);
        if (status != Status::Ok) return status;
        // One value before the first card and one after each.
        if (size < played.size() + 1) return Status::BufferTooSmall;
        PlayReview review;
        status = reviewPlay(solver->bridge, deal, static_cast<Strain>(strain),
                            static_cast<Seat>(leader), played, review, ReviewDetail::Tricks);
        const bool reviewed = status == Status::Ok || status == Status::CardNotHeld ||
                              status == Status::Revoke || status == Status::PlayOver;
        if (!reviewed) return status;
        values[0] = review.start;
        for (size_t i = 0; i < review.cards.size(); ++i) values[i + 1] = review.cards[i].tricks;
        *count = static_cast<int>(review.cards.size()) + 1;
        return status;
    });
}

int ddsolver_pref_solve(ddsolver_solver* solver, const char* pbn_hands, int trump, int misere,
                        int declarer, int leader, const char* trick_cards,
                        ddsolver_pref_result* result) {
    if (solver == nullptr || pbn_hands == nullptr || result == nullptr)
        return code(Status::NullArgument);
    if (!isStrain(trump)) return code(Status::BadStrain);
    if (!isSeat(declarer)) return code(Status::BadDeclarer);
    if (!isSeat(leader)) return code(Status::BadLeader);
    return guarded([&] {
        Position position;
        Status status = readPosition(pbn_hands, trump, leader, trick_cards, 2, position);
        if (status != Status::Ok) return status;
        const PrefContract contract{static_cast<Strain>(trump), misere != 0,
                                    static_cast<Seat>(declarer)};
        PrefResult solved;
        status = solver->pref.solve(position, contract, solved);
        if (status != Status::Ok) return status;
        std::vector<CardValue> values;
        status = solver->pref.cardValues(position, contract, values);
        if (status != Status::Ok) return status;
        result->declarer = solved.declarer;
        result->defenders = solved.defenders;
        result->count = copyValues(values, result->cards);
        return Status::Ok;
    });
}

int ddsolver_pref_histogram(const char* deal_text, int trump, int misere, int declarer, int leader,
                            int first, int end, int threads, unsigned long long histogram[11]) {
    if (deal_text == nullptr || histogram == nullptr) return code(Status::NullArgument);
    if (!isStrain(trump)) return code(Status::BadStrain);
    if (!isSeat(declarer)) return code(Status::BadDeclarer);
    if (!isSeat(leader)) return code(Status::BadLeader);
    return guarded([&] {
        const PrefContract contract{static_cast<Strain>(trump), misere != 0,
                                    static_cast<Seat>(declarer)};
        PrefHistogram counts{};
        const Status status = prefHistogram(deal_text, contract, static_cast<Seat>(leader), first,
                                            end, threads, nullptr, counts);
        if (status != Status::Ok) return status;
        for (int tricks = 0; tricks <= 10; ++tricks) histogram[tricks] += counts[tricks];
        return Status::Ok;
    });
}

int ddsolver_simulate(const char* deal, const char* unseen, const char* where, const char* contract,
                      unsigned long long seed, int exact, unsigned long long first,
                      unsigned long long end, int threads, unsigned long long tricks[14],
                      unsigned long long* deals) {
    if (deal == nullptr || contract == nullptr || tricks == nullptr || deals == nullptr)
        return code(Status::NullArgument);
    if (threads < 0) return code(Status::BadThreadCount);
    return guarded([&] {
        SimulationOptions options;
        Status status = KnownCards::fromText(deal, unseen == nullptr ? "" : unseen, options.cards);
        if (status != Status::Ok) return status;
        status = Constraint::compile(where == nullptr ? "" : where, options.constraint);
        if (status != Status::Ok) return status;
        SimContract solved;
        status = contractFromText(contract, solved);
        if (status != Status::Ok) return status;
        options.contracts = {solved};
        options.seed = seed;
        options.exact = exact != 0;
        options.first = first;
        options.end = end;
        options.threads = threads;
        std::array<unsigned long long, 14> counts{};
        unsigned long long solvedDeals = 0;
        SimulationRun run;
        status = simulate(
            options,
            [&](const SimulatedDeal& one) {
                ++counts[one.tricks[0]];
                ++solvedDeals;
            },
            run);
        if (status != Status::Ok) return status;
        for (int taken = 0; taken <= 13; ++taken) tricks[taken] += counts[taken];
        *deals += solvedDeals;
        return Status::Ok;
    });
}

int ddsolver_version(int* major, int* minor, int* patch) {
    if (major == nullptr || minor == nullptr || patch == nullptr) return code(Status::NullArgument);
    *major = DDSOLVER_VERSION_MAJOR;
    *minor = DDSOLVER_VERSION_MINOR;
    *patch = DDSOLVER_VERSION_PATCH;
    return code(Status::Ok);
}

const char* ddsolver_version_string(void) {
    return version();
}

}  // extern "C"
