// The README's host program: a deal's table, every card's value at the
// opening lead, and a preferans hidden-layout histogram on two threads.
#include <ddsolver/ddsolver.h>

#include <cstdio>
#include <vector>

using namespace ddsolver;

int main() {
    Deal deal;
    const char* pbn = "N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3";
    if (Deal::fromPbn(pbn, deal) != Status::Ok) return 1;

    BridgeSolver solver;  // one per thread
    DdTable table;
    if (solveTable(solver, deal, table) != Status::Ok) return 1;
    for (Strain strain : ALL_STRAINS) {
        std::printf("%-2s", strainText(strain));
        for (Seat declarer : ALL_SEATS) std::printf(" %2d", table.at(strain, declarer));
        std::printf("\n");
    }

    // West leads against South's no trump: East-West's tricks for each card.
    std::vector<CardValue> values;
    if (solver.cardValues(Position{deal, Strain::NoTrump, Seat::West}, values) != Status::Ok)
        return 1;
    for (const CardValue& value : values)
        std::printf("%s %d  ", value.card.text().c_str(), value.tricks);
    std::printf("\n");

    // Preferans: North declares spades holding AQJT9 of spades, AK of hearts
    // and KQ of diamonds, the ace of clubs; H7 and H8 are out of play; East
    // leads. The first 2000 of the 184756 layouts of the other cards.
    PrefHistogram histogram{};
    const PrefContract spades{Strain::Spades, false, Seat::North};
    if (prefHistogram("aqjt9.ak*7*8.kq.a", spades, Seat::East, 0, 2000, 2, nullptr, histogram) !=
        Status::Ok)
        return 1;
    for (int tricks = 0; tricks <= 10; ++tricks)
        std::printf("%llu ", static_cast<unsigned long long>(histogram[tricks]));
    std::printf("\n");
    return 0;
}
