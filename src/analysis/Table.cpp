// A full deal's double-dummy table through one solver: the solver keeps its
// memory across the four leaders of a strain, so only the first is fresh.
#include "ddsolver/Table.h"

namespace ddsolver {

Status solveTable(BridgeSolver& solver, const Deal& deal, DdTable& table, unsigned strains) {
    for (Seat seat : ALL_SEATS) {
        if (deal.count(seat) != 13) return Status::NotFullDeal;
    }
    for (Strain strain : ALL_STRAINS) {
        if ((strains >> static_cast<int>(strain) & 1) == 0) continue;
        for (Seat leader : ALL_SEATS) {
            const Position position{deal, strain, leader, {}, 0};
            BridgeResult result;
            const Status status = solver.solve(position, result);
            if (status != Status::Ok) return status;
            // The declarer sits before the leader.
            const Seat declarer = static_cast<Seat>((static_cast<int>(leader) + 3) & 3);
            table.at(strain, declarer) =
                isNorthSouth(declarer) ? result.northSouth : result.eastWest;
        }
    }
    return Status::Ok;
}

}  // namespace ddsolver
