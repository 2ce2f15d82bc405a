// Helpers for the hidden-layout analysis tests: runs of the program in their
// own working directories, its histogram read back, and the same histogram
// worked out independently with the yes/no reference solver.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/RunProgram.h"

using TrickHistogram = std::array<long, 11>;

// A fresh temporary working directory, removed again with the stop file (if
// any) when the object goes.
class ScratchDirectory {
   public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string stopFile() const;
    void createStopFile() const;
    bool hasStopFile() const;

   private:
    std::string path_;
};

// Runs `ddsolver DEALTEXT RANGE CONTRACT LEADER` in a directory of its own.
ProgramRun runAnalysis(const std::string& dealText, const std::string& range,
                       const std::string& contract, const std::string& leader);

// The eleven counts of a printed histogram; false unless the text is exactly
// eleven unsigned numbers joined by single spaces, with nothing after them.
bool readHistogram(const std::string& text, TrickHistogram& histogram);

long histogramTotal(const TrickHistogram& histogram);

// The histogram of the splits first to end-1 of a valid deal text, each split
// solved by the yes/no reference. The splits are numbered by the test's own
// walk through the ways of choosing 10 of the 20 hidden cards.
TrickHistogram referenceHistogram(const std::string& dealText, int contract, int leader, int first,
                                  int end);

// The text of a histogram as the program prints it.
std::string histogramText(const TrickHistogram& histogram);
