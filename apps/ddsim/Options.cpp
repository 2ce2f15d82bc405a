// Command-line options of the simulation program, checked and turned into the
// library's run options: the known cards, the constraint, the range, what to solve.
#include "apps/ddsim/Options.h"

#include <cstdlib>
#include <thread>

#include "apps/common/Text.h"

namespace ddsim {

const char USAGE[] =
    "usage: ddsim [--deal PBN] [--unseen CARDS] [--where EXPR] [-n N] [--seed S]\n"
    "             [--exact] [--range A-B] [--contract 4S-N]... [--compare 4S-N 3N-S]\n"
    "             [--leads SEAT] [--table] [--vul None|NS|EW|All] [--format text|json]\n"
    "             [--per-deal FILE] [-j N] [--quiet]\n"
    "       ddsim --merge A.json B.json ... [--format text|json]\n"
    "Deals the hands that are not known (\"-\" in --deal), keeps the deals that meet\n"
    "--where, solves each double dummy for the contracts asked and reports how they fare.\n";

namespace {

constexpr uint64_t MAX_DEALS = 1'000'000'000'000ULL;

// A whole number in plain digits, at most `limit`.
bool readCount(const std::string& text, uint64_t limit, uint64_t& value) {
    if (text.empty() || text.size() > 19) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return value <= limit;
}

bool readRange(const std::string& text, uint64_t& first, uint64_t& end) {
    const size_t dash = text.find('-');
    return dash != std::string::npos && readCount(text.substr(0, dash), MAX_DEALS, first) &&
           readCount(text.substr(dash + 1), MAX_DEALS, end) && first <= end;
}

// The options' values, read in the order given.
class ArgumentReader {
   public:
    ArgumentReader(const std::vector<std::string>& args, std::string& error)
        : args_(args), error_(error) {}

    bool done() const { return at_ >= args_.size(); }
    const std::string& next() { return args_[at_++]; }
    // The value of `option`: the rest of "--opt=value", or the next argument.
    bool value(const std::string& option, std::string& value) {
        if (inlineValue_) {
            value = *inlineValue_;
            inlineValue_ = nullptr;
            return true;
        }
        if (done()) return fail(option + " needs a value");
        value = next();
        return true;
    }
    void setInline(const std::string* value) { inlineValue_ = value; }
    bool inlineLeft() const { return inlineValue_ != nullptr; }
    bool fail(const std::string& message) {
        error_ = message;
        return false;
    }

   private:
    const std::vector<std::string>& args_;
    std::string& error_;
    size_t at_ = 0;
    const std::string* inlineValue_ = nullptr;
};

bool takesValue(const std::string& option) {
    static const char* const OPTIONS[] = {
        "--deal",    "--unseen", "--where", "-n",       "--seed",     "--range", "--contract",
        "--compare", "--leads",  "--vul",   "--format", "--per-deal", "-j"};
    for (const char* known : OPTIONS)
        if (option == known) return true;
    return false;
}

bool readContract(ArgumentReader& reader, const std::string& text,
                  ddsolver::SimContract& contract) {
    if (ddsolver::contractFromText(text, contract) != ddsolver::Status::Ok)
        return reader.fail("unknown contract \"" + text +
                           "\" (a level, a strain and the declarer, e.g. 4S-N or 3NT-S)");
    return true;
}

bool readOption(ArgumentReader& reader, const std::string& option, ProgramOptions& options,
                std::vector<ddsolver::SimContract>& compared) {
    ddsolver::SimulationOptions& run = options.run;
    std::string value;
    if (option == "--exact") {
        run.exact = true;
    } else if (option == "--table") {
        run.table = true;
    } else if (option == "--quiet" || option == "-q") {
        options.quiet = true;
    } else if (option == "--help" || option == "-h") {
        options.help = true;
    } else if (option == "--merge") {
        options.merge = true;
    } else if (option.size() < 2 || option[0] != '-') {
        options.mergeFiles.push_back(option);
    } else if (!takesValue(option)) {
        return reader.fail("unknown option " + option);
    } else if (!reader.value(option, value)) {
        return false;
    } else if (option == "--deal") {
        options.dealText = value;
    } else if (option == "--unseen") {
        options.unseenText = value;
    } else if (option == "--where") {
        options.where = value;
    } else if (option == "-n") {
        if (!readCount(value, MAX_DEALS, run.end) || run.end == 0)
            return reader.fail("-n needs a number of deals from 1 on");
        options.countGiven = true;
    } else if (option == "--seed") {
        if (!readCount(value, UINT64_MAX / 2, run.seed))
            return reader.fail("--seed needs a whole number");
    } else if (option == "--range") {
        if (!readRange(value, run.first, run.end))
            return reader.fail("--range needs a-b: deals a to b-1, with a <= b");
        options.rangeGiven = true;
    } else if (option == "--contract") {
        ddsolver::SimContract contract;
        if (!readContract(reader, value, contract)) return false;
        run.contracts.push_back(contract);
    } else if (option == "--compare") {
        std::string second;
        if (!reader.value(option, second)) return false;
        ddsolver::SimContract a, b;
        if (!readContract(reader, value, a) || !readContract(reader, second, b)) return false;
        if (!compared.empty()) return reader.fail("--compare is given once");
        compared = {a, b};
    } else if (option == "--leads") {
        ddsolver::Seat seat;
        if (!ddsolver::seatFromText(value, seat))
            return reader.fail("--leads needs a seat: N, E, S or W");
        run.leader = static_cast<int>(seat);
    } else if (option == "--vul") {
        if (!ddsolver::vulnerabilityFromText(value, options.vulnerability))
            return reader.fail("unknown vulnerability \"" + value + "\"");
    } else if (option == "--format") {
        if (value == "text")
            options.format = ReportFormat::Text;
        else if (value == "json")
            options.format = ReportFormat::Json;
        else
            return reader.fail("unknown format \"" + value + "\"");
    } else if (option == "--per-deal") {
        options.perDealFile = value;
    } else if (option == "-j") {
        if (!apps::readWorkerCount(value, run.threads))
            return reader.fail("-j needs a number of threads from 1 to 1024");
    }
    return true;
}

// The options that only make sense together.
bool checkCombination(ProgramOptions& options, std::string& error) {
    ddsolver::SimulationOptions& run = options.run;
    if (options.merge) return true;
    if (!options.mergeFiles.empty()) {
        error = "unexpected argument \"" + options.mergeFiles[0] + "\"";
        return false;
    }
    if (run.exact && options.countGiven) {
        error = "--exact takes every layout once: give --range to take some, not -n";
        return false;
    }
    if (options.rangeGiven && options.countGiven) {
        error = "give either -n or --range";
        return false;
    }
    if (run.leader >= 0 && run.contracts.empty() && options.compareFirst < 0) {
        error = "--leads needs a contract to lead against";
        return false;
    }
    return true;
}

}  // namespace

bool readOptions(const std::vector<std::string>& args, ProgramOptions& options,
                 std::string& error) {
    ArgumentReader reader(args, error);
    std::vector<ddsolver::SimContract> compared;
    while (!reader.done()) {
        std::string option = reader.next();
        std::string inlineValue;
        const size_t equals = option.find('=');
        if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = option.substr(equals + 1);
            option.resize(equals);
            reader.setInline(&inlineValue);
        } else if (option.size() > 2 &&
                   (option.rfind("-j", 0) == 0 || option.rfind("-n", 0) == 0)) {
            inlineValue = option.substr(2);
            option.resize(2);
            reader.setInline(&inlineValue);
        }
        if (!readOption(reader, option, options, compared)) return false;
        if (reader.inlineLeft()) {
            error = option + " takes no value";
            return false;
        }
        if (options.help) return true;
    }
    options.askedContracts = options.run.contracts.size();
    if (!compared.empty()) {
        options.compareFirst = ddsolver::contractPlace(options.run.contracts, compared[0]);
        options.compareSecond = ddsolver::contractPlace(options.run.contracts, compared[1]);
        if (options.compareFirst == options.compareSecond) {
            error = "--compare needs two different contracts";
            return false;
        }
    }
    return checkCombination(options, error);
}

}  // namespace ddsim
