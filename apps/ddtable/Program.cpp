// Command line of the table program. Results go to standard output in input
// order; problems with the input and the progress line go to standard error.
#include "apps/ddtable/Program.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "apps/common/Text.h"
#include "apps/ddtable/Annotate.h"
#include "apps/ddtable/BatchRunner.h"
#include "apps/ddtable/OutputFormat.h"

namespace ddtable {

namespace {

const char USAGE[] =
    "usage: ddtable [--format text|csv|json] [--vul None|NS|EW|All] [-j N] [--quiet] [FILE...]\n"
    "       ddtable --annotate [--vul None|NS|EW|All] [-j N] [--quiet] [FILE.pbn...]\n"
    "Reads PBN deals (one per line, or PBN game files) from the files or standard input and\n"
    "prints each deal's double-dummy table and par; with --annotate, prints the game files\n"
    "with the table and par added to each game as OptimumResultTable, OptimumScore and\n"
    "ParContract tags.\n";

struct Options {
    OutputFormat format = OutputFormat::Text;
    bool formatGiven = false;
    bool annotate = false;
    std::optional<ddsolver::Vulnerability> vulnerability;
    int workers = 0;
    bool quiet = false;
    std::vector<std::string> files;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "ddtable: %s\n%s", message.c_str(), USAGE);
    return 2;
}

// Parses the arguments into options; returns -1 when fine, else the exit status.
int parseOptions(int argc, const char* const* argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool takesValue = arg == "--format" || arg == "--vul" || arg == "-j";
        size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            takesValue = false;
        } else if (arg.size() > 2 && arg.rfind("-j", 0) == 0) {
            value = arg.substr(2);
            arg = "-j";
        } else if (takesValue) {
            if (i + 1 >= argc) return usageError(arg + " needs a value");
            value = argv[++i];
        }
        if (arg == "--format") {
            options.formatGiven = true;
            if (value == "text")
                options.format = OutputFormat::Text;
            else if (value == "csv")
                options.format = OutputFormat::Csv;
            else if (value == "json")
                options.format = OutputFormat::Json;
            else
                return usageError("unknown format \"" + value + "\"");
        } else if (arg == "--vul") {
            ddsolver::Vulnerability vulnerability;
            if (!ddsolver::vulnerabilityFromText(value, vulnerability)) {
                return usageError("unknown vulnerability \"" + value + "\"");
            }
            options.vulnerability = vulnerability;
        } else if (arg == "-j") {
            if (!apps::readWorkerCount(value, options.workers))
                return usageError("-j needs a number of threads from 1 to 1024");
        } else if (arg == "--annotate") {
            options.annotate = true;
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
    if (options.annotate && options.formatGiven) {
        return usageError("--annotate writes PBN and takes no --format");
    }
    if (options.workers == 0) {
        options.workers = std::max(1u, std::thread::hardware_concurrency());
    }
    return -1;
}

}  // namespace

int runTableProgram(int argc, const char* const* argv) {
    Options options;
    int status = parseOptions(argc, argv, options);
    if (status >= 0) return status;
    if (options.files.empty()) options.files.push_back("-");
    if (options.annotate) {
        return runAnnotate(options.files, options.vulnerability, options.workers, options.quiet);
    }

    bool failed = false;
    std::vector<DealRecord> records;
    for (const std::string& file : options.files) {
        if (file == "-") {
            readDeals(std::cin, "<stdin>", options.vulnerability, records);
            continue;
        }
        std::ifstream in(file);
        if (in) readDeals(in, file, options.vulnerability, records);
        // A directory opens but fails its first read.
        if (!in && !in.eof()) {
            std::fprintf(stderr, "ddtable: %s: cannot be read\n", file.c_str());
            failed = true;
        }
    }

    std::fputs(outputHeader(options.format).c_str(), stdout);
    Progress progress(records.size(), !options.quiet && isatty(STDERR_FILENO));
    auto sink = [&](const DealRecord& record, bool solved, const DealAnalysis& analysis) {
        if (!solved) {
            reportUnsolved(record, progress);
            failed = true;
            return;
        }
        std::string text = formatRecord(options.format, record, analysis);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    };
    runBatch(records, options.workers, analyseRecord, sink, progress);
    return failed ? 1 : 0;
}

}  // namespace ddtable
