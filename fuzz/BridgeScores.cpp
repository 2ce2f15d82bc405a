// Duplicate bridge scores of the two kinds of contract that end a par auction.
#include "BridgeScores.h"

#include <set>

namespace {

// Strains 0 clubs, 1 diamonds, 2 hearts, 3 spades, 4 no trump.
int trickPoints(int strain, int trick) {
    if (strain < 2) return 20;
    if (strain == 4 && trick == 1) return 40;
    return 30;
}

// Scores of undoubled contracts that make, for one vulnerability.
std::set<int> madeScores(bool vulnerable) {
    std::set<int> scores;
    for (int level = 1; level <= 7; ++level) {
        for (int strain = 0; strain < 5; ++strain) {
            int contract = 0;
            for (int trick = 1; trick <= level; ++trick) contract += trickPoints(strain, trick);
            int bonus = contract >= 100 ? (vulnerable ? 500 : 300) : 50;
            if (level == 6) bonus += vulnerable ? 750 : 500;
            if (level == 7) bonus += vulnerable ? 1500 : 1000;
            for (int over = 0; level + over <= 7; ++over) {
                scores.insert(contract + bonus + over * trickPoints(strain, 2));
            }
        }
    }
    return scores;
}

// What doubled contracts going down 1 to 13 cost, for one vulnerability.
std::set<int> doubledPenalties(bool vulnerable) {
    std::set<int> costs;
    int cost = 0;
    for (int down = 1; down <= 13; ++down) {
        if (vulnerable) {
            cost += down == 1 ? 200 : 300;
        } else {
            cost += down == 1 ? 100 : down <= 3 ? 200 : 300;
        }
        costs.insert(cost);
    }
    return costs;
}

}  // namespace

bool isParScore(int score, int vulnerability) {
    static const std::set<int> MADE[2] = {madeScores(false), madeScores(true)};
    static const std::set<int> DOWN[2] = {doubledPenalties(false), doubledPenalties(true)};
    if (score == 0) return true;
    const bool northSouthVulnerable = vulnerability == 1 || vulnerability == 2;
    const bool eastWestVulnerable = vulnerability == 1 || vulnerability == 3;
    // North-South gain by making a contract or by defeating East-West's sacrifice.
    if (score > 0) {
        return MADE[northSouthVulnerable].count(score) > 0 ||
               DOWN[eastWestVulnerable].count(score) > 0;
    }
    return MADE[eastWestVulnerable].count(-score) > 0 ||
           DOWN[northSouthVulnerable].count(-score) > 0;
}
