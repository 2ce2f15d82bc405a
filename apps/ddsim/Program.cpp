// The simulation program: reads its options, runs the simulation on every
// core (or adds up reports with --merge) and prints the report. Problems go
// to standard error in one line.
#include "apps/ddsim/Program.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "apps/common/Progress.h"
#include "apps/ddsim/JsonReport.h"
#include "apps/ddsim/Options.h"
#include "apps/ddsim/TextReport.h"

namespace ddsim {

using namespace ddsolver;

namespace {

// The signal that asked the run to stop, or 0.
std::atomic<int> stopSignal{0};

extern "C" void onStopSignal(int signal) {
    stopSignal = signal;
}

int refuse(const std::string& message, int status = 2) {
    std::fprintf(stderr, "ddsim: %s\n", message.c_str());
    return status;
}

void printReport(const ReportRecord& record, ReportFormat format) {
    const std::string text = format == ReportFormat::Json ? jsonReport(record) : textReport(record);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// --merge: the reports of several ranges added up, in the order of their ranges.
int mergeReports(const ProgramOptions& options) {
    std::vector<ReportRecord> records;
    for (const std::string& file : options.mergeFiles) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        if (!in) return refuse(file + ": cannot be read", 1);
        ReportRecord record;
        std::string error;
        if (!readJsonReport(text.str(), record, error))
            return refuse(file + ": not a ddsim JSON report: " + error);
        records.push_back(std::move(record));
    }
    if (records.empty()) return refuse("--merge needs the JSON reports to add up");
    std::stable_sort(records.begin(), records.end(),
                     [](const ReportRecord& a, const ReportRecord& b) {
                         return a.report.first < b.report.first;
                     });
    ReportRecord total = records[0];
    for (size_t i = 1; i < records.size(); ++i) {
        const ReportRecord& next = records[i];
        if (next.dealText != total.dealText || next.unseenText != total.unseenText ||
            next.where != total.where || !total.report.merge(next.report))
            return refuse("the reports are not of one run's options over ranges that meet");
    }
    printReport(total, options.format);
    return 0;
}

// One line of the per-deal file: the number, the deal from North, the tricks.
std::string perDealLine(const SimulatedDeal& deal) {
    std::string line = std::to_string(deal.number) + "\t" + deal.deal.toPbn(Seat::North);
    for (int tricks : deal.tricks) line += "\t" + std::to_string(tricks);
    return line + "\n";
}

// Where the per-deal lines go: a file, standard output, or nowhere.
class PerDealOutput {
   public:
    bool open(const std::string& name) {
        if (name.empty()) return true;
        if (name == "-") {
            out_ = stdout;
            return true;
        }
        out_ = std::fopen(name.c_str(), "w");
        owned_ = out_ != nullptr;
        return owned_;
    }
    void write(const SimulatedDeal& deal) {
        if (out_ == nullptr) return;
        const std::string line = perDealLine(deal);
        failed_ = failed_ || std::fwrite(line.data(), 1, line.size(), out_) != line.size();
    }
    // Flushes and closes; false when some line was not written.
    bool close() {
        if (out_ == nullptr) return true;
        failed_ = failed_ || std::fflush(out_) != 0;
        if (owned_) failed_ = std::fclose(out_) != 0 || failed_;
        out_ = nullptr;
        return !failed_;
    }
    ~PerDealOutput() { close(); }

   private:
    std::FILE* out_ = nullptr;
    bool owned_ = false, failed_ = false;
};

// Checks the known cards and the constraint; 0 when both are fine.
int prepare(ProgramOptions& options) {
    std::string reason;
    if (KnownCards::fromText(options.dealText, options.unseenText, options.run.cards, &reason) !=
        Status::Ok)
        return refuse((options.unseenText.empty() ? "--deal: " : "--deal/--unseen: ") + reason);
    ConstraintError error;
    if (Constraint::compile(options.where, options.run.constraint, &error) != Status::Ok)
        return refuse("--where: column " + std::to_string(error.column) + ": " + error.message);
    if (options.run.exact) {
        const double layouts = options.run.cards.layoutCount();
        if (layouts > static_cast<double>(MAX_EXACT_LAYOUTS)) {
            // Beyond 2^53 a double holds the count only roughly.
            char count[64];
            std::snprintf(count, sizeof count, layouts < 9e15 ? "%.0f" : "about %.3g", layouts);
            return refuse(std::string("--exact: the unseen cards lie in ") + count +
                          " ways, more than the " + std::to_string(MAX_EXACT_LAYOUTS) +
                          " an exact run takes");
        }
        // Without a range, every layout.
        const uint64_t count = Dealer(options.run.cards).layoutCount();
        if (!options.rangeGiven) options.run.end = count;
        options.run.end = std::min(options.run.end, count);
        options.run.first = std::min(options.run.first, options.run.end);
    }
    return 0;
}

std::string makeNote(const SimulationReport& report) {
    if (report.contracts.empty()) return "";
    char note[64];
    std::snprintf(note, sizeof note, "%s makes %.1f%%",
                  contractText(report.contracts[0].contract).c_str(),
                  report.contracts[0].makePercent());
    return note;
}

int simulateAndReport(ProgramOptions& options) {
    SimulationOptions& run = options.run;
    const bool solves = !run.contracts.empty() || run.table;
    // With nothing to solve the deals themselves are the output.
    const bool dealsOnly = !solves && options.perDealFile.empty();
    PerDealOutput perDeal;
    if (!perDeal.open(dealsOnly ? "-" : options.perDealFile))
        return refuse(options.perDealFile + ": cannot be written", 1);

    ReportRecord record{SimulationReport::start(run, options.vulnerability, options.compareFirst,
                                                options.compareSecond),
                        options.dealText, options.unseenText, options.where};
    apps::Progress progress(run.end - run.first, !options.quiet && isatty(STDERR_FILENO), stderr,
                            "deals");
    run.stop = [] { return stopSignal != 0; };
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);

    SimulationRun outcome;
    const Status status = simulate(
        run,
        [&](const SimulatedDeal& deal) {
            record.report.add(deal);
            perDeal.write(deal);
            if (record.report.deals % 64 == 1) progress.setNote(makeNote(record.report));
            progress.update(deal.number + 1 - run.first);
        },
        outcome);
    progress.finish();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (!perDeal.close()) return refuse(options.perDealFile + ": cannot be written", 1);
    if (status == Status::ConstraintsTooStrict)
        return refuse("no deal met the constraints in " + std::to_string(run.maxTries) +
                      " tries: they accept almost nothing");
    if (status == Status::LeaderNotKnown || status == Status::NoSuchLeader)
        return refuse(std::string("--leads: ") + describe(status));
    if (status != Status::Ok) return refuse(describe(status));
    record.report.partial = outcome.stopped;
    if (!dealsOnly) printReport(record, options.format);
    return outcome.stopped ? 128 + stopSignal : 0;
}

}  // namespace

int runSimulationProgram(int argc, const char* const* argv) {
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + std::max(argc, 1));
    ProgramOptions options;
    std::string error;
    if (!readOptions(args, options, error)) return refuse(error + " (ddsim --help for usage)");
    if (options.help) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (options.merge) return mergeReports(options);
    const int prepared = prepare(options);
    if (prepared != 0) return prepared;
    return simulateAndReport(options);
}

}  // namespace ddsim
