// Command line of the play-review program. Reviews go to standard output in
// input order; problems with the input and the progress line go to
// standard error.
#include "apps/ddplay/Program.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "apps/common/Batch.h"
#include "apps/common/Text.h"
#include "apps/ddplay/ReviewFormat.h"

namespace ddplay {

using namespace ddsolver;

namespace {

const char USAGE[] =
    "usage: ddplay [--format text|json] [--all-cards] [-j N] [--quiet] [FILE...]\n"
    "       ddplay --deal PBN --strain S|H|D|C|NT --leader N|E|S|W --cards \"SA S2 ...\" "
    "[options]\n"
    "Reviews played bridge boards (PBN game files with a Play section, or LIN records and\n"
    "hand-viewer URLs, one a line) from the files or standard input: the double-dummy\n"
    "result after every card, the tricks each card gave away and the cards that kept it.\n";

struct Options {
    bool json = false;
    bool allCards = false;
    int workers = 0;
    bool quiet = false;
    std::vector<std::string> files;
    // The board of the command line.
    std::string deal, strain, leader, cards;
    bool commandLineBoard = false;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "ddplay: %s\n%s", message.c_str(), USAGE);
    return 2;
}

// Parses the arguments; returns -1 when fine, else the exit status.
int parseOptions(int argc, const char* const* argv, Options& options) {
    const std::vector<std::string> withValue = {"--format", "-j",       "--deal",
                                                "--strain", "--leader", "--cards"};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i], value;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
        } else if (arg.size() > 2 && arg.rfind("-j", 0) == 0) {
            value = arg.substr(2);
            arg = "-j";
        } else if (std::find(withValue.begin(), withValue.end(), arg) != withValue.end()) {
            if (i + 1 >= argc) return usageError(arg + " needs a value");
            value = argv[++i];
        }
        if (arg == "--format") {
            if (value != "text" && value != "json")
                return usageError("unknown format \"" + value + "\"");
            options.json = value == "json";
        } else if (arg == "-j") {
            if (!apps::readWorkerCount(value, options.workers))
                return usageError("-j needs a number of threads from 1 to 1024");
        } else if (arg == "--deal" || arg == "--strain" || arg == "--leader" || arg == "--cards") {
            std::string& field = arg == "--deal"     ? options.deal
                                 : arg == "--strain" ? options.strain
                                 : arg == "--leader" ? options.leader
                                                     : options.cards;
            field = value;
            options.commandLineBoard = true;
        } else if (arg == "--all-cards") {
            options.allCards = true;
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option " + arg);
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.commandLineBoard) {
        if (options.deal.empty() || options.strain.empty() || options.leader.empty())
            return usageError("a board on the command line needs --deal, --strain and --leader");
        if (!options.files.empty()) return usageError("files and --deal do not go together");
    }
    if (options.workers == 0) options.workers = std::max(1u, std::thread::hardware_concurrency());
    return -1;
}

// The board given by --deal, --strain, --leader and --cards.
BoardInput commandLineBoard(const Options& options) {
    BoardInput input;
    input.source = "<command line>";
    PlayedBoard& board = input.board;
    board.line = 1;
    Strain strain;
    Seat leader;
    std::string reason;
    if (Deal::fromPbn(options.deal, board.deal, DealSize::Full, &reason) != Status::Ok) {
        board.error = reason;
    } else if (!strainFromText(options.strain, strain)) {
        board.error = "unknown strain \"" + options.strain + "\"";
    } else if (!seatFromText(options.leader, leader)) {
        board.error = "unknown leader \"" + options.leader + "\"";
    } else {
        input.strain = strain;
        board.leader = leader;
    }
    std::istringstream cards(options.cards);
    for (std::string text; board.error.empty() && cards >> text;) {
        Card card;
        if (!Card::fromText(text, card)) board.error = "unknown card \"" + text + "\"";
        board.play.push_back(card);
    }
    return input;
}

// The boards of one input; false when it cannot be read.
bool readBoards(std::istream& in, const std::string& source, std::vector<BoardInput>& boards) {
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    for (PlayedBoard& board : readPlayedBoards(text))
        boards.push_back({source, std::move(board), {}});
    return true;
}

}  // namespace

int runPlayProgram(int argc, const char* const* argv) {
    Options options;
    const int status = parseOptions(argc, argv, options);
    if (status >= 0) return status;

    bool failed = false;
    std::vector<BoardInput> boards;
    if (options.commandLineBoard) {
        boards.push_back(commandLineBoard(options));
    } else {
        if (options.files.empty()) options.files.push_back("-");
        for (const std::string& file : options.files) {
            std::ifstream opened;
            if (file != "-") opened.open(file);
            std::istream& in = file == "-" ? std::cin : opened;
            if (!in || !readBoards(in, file == "-" ? "<stdin>" : file, boards)) {
                std::fprintf(stderr, "ddplay: %s: cannot be read\n", file.c_str());
                failed = true;
            }
        }
    }

    apps::Progress progress(boards.size(), !options.quiet && isatty(STDERR_FILENO), stderr,
                            "boards");
    const apps::BatchJob<BoardInput, BoardResult> job =
        [&options](BridgeSolver& solver, const BoardInput& input, BoardResult& result) {
            return reviewBoard(solver, input, options.allCards, result);
        };
    const apps::BatchSink<BoardInput, BoardResult> sink =
        [&](const BoardInput& input, bool reviewed, const BoardResult& result) {
            if (!reviewed) {
                progress.finish();  // keep the message off the progress line
                std::fprintf(stderr, "ddplay: %s:%d: %s\n", input.source.c_str(), input.board.line,
                             result.problem.c_str());
                failed = true;
                return;
            }
            const std::string text = options.json ? jsonRecord(input, result, options.allCards)
                                                  : textRecord(input, result, options.allCards);
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
        };
    apps::runBatch(boards, options.workers, job, sink, progress);
    return failed ? 1 : 0;
}

}  // namespace ddplay
