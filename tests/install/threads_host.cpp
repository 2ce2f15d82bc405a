// A host that includes only the library's umbrella header: it reads a
// position string of the ddsolver program (one digit per card, then trump,
// leader, declarer, game and misere), solves it on two threads at once with
// one solver object each, and prints what the program prints for it (the
// four leaders' counts of a bridge deal, the declarer's tricks of a
// preferans position), or fails when the threads disagree.
#include <ddsolver/ddsolver.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace ddsolver;

namespace {

struct Request {
    Position position;
    bool bridge = true;
    PrefContract contract;
};

// Digit codes: 1-4 held by seat 0-3, 5-8 on the trick from seat 0-3; any
// other digit, and in preferans seat 2's cards, out of play.
Request decode(const char* text) {
    Request request;
    request.bridge = text[55] != '0';
    const int leader = text[53] - '0';
    Card onTrick[4];
    for (int index = 0; index < 52; ++index) {
        if (!request.bridge && index % 13 > 7) continue;  // preferans plays the seven up
        const int code = text[index] - '0';
        if (!request.bridge && (code == 3 || code == 7)) continue;
        const Card card = Card::fromIndex(index);
        if (code >= 1 && code <= 4) request.position.hands.give(card, static_cast<Seat>(code - 1));
        if (code >= 5 && code <= 8) onTrick[code - 5] = card;
    }
    request.position.strain = static_cast<Strain>(text[52] - '0');
    request.position.leader = static_cast<Seat>(leader);
    // Preferans is played by seats 0, 1 and 3 in that order.
    const int order[2][4] = {{0, 1, 2, 3}, {0, 1, 3, -1}};
    const int* seats = order[request.bridge ? 0 : 1];
    const int players = request.bridge ? 4 : 3;
    int place = 0;
    while (seats[place] != leader) ++place;
    for (int k = 0; k < players && onTrick[seats[(place + k) % players]].valid(); ++k) {
        request.position.trick[request.position.trickCount++] =
            onTrick[seats[(place + k) % players]];
    }
    request.contract.trump = request.position.strain;
    request.contract.declarer = static_cast<Seat>(text[54] - '0');
    request.contract.misere = text[56] != '0';
    return request;
}

// What the program prints: the side that does not lead, for each leader.
std::string bridgeAnswer(const Request& request) {
    BridgeSolver solver;
    std::string out;
    for (Seat leader : ALL_SEATS) {
        Position position = request.position;
        position.leader = leader;
        BridgeResult result;
        if (solver.solve(position, result) != Status::Ok) return "refused";
        out += std::to_string(isNorthSouth(leader) ? result.eastWest : result.northSouth) + " ";
    }
    return out;
}

std::string prefAnswer(const Request& request) {
    PrefSolver solver;
    PrefResult result;
    if (solver.solve(request.position, request.contract, result) != Status::Ok) return "refused";
    return std::to_string(result.declarer) + " ";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strlen(argv[1]) < 57) {
        std::fprintf(stderr, "usage: threads_host POSITION\n");
        return 2;
    }
    const Request request = decode(argv[1]);
    std::string answers[2];
    std::vector<std::thread> threads;
    for (std::string& answer : answers) {
        threads.emplace_back([&request, &answer] {
            answer = request.bridge ? bridgeAnswer(request) : prefAnswer(request);
        });
    }
    for (std::thread& thread : threads) thread.join();
    if (answers[0] != answers[1]) {
        std::fprintf(stderr, "threads disagree: %s / %s\n", answers[0].c_str(), answers[1].c_str());
        return 1;
    }
    std::printf("%s", answers[0].c_str());
    return 0;
}
