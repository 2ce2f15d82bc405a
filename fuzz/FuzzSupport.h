// Helpers shared by the fuzz targets: the fuzzer's bytes read as arguments,
// positions dealt from them, a private working directory, the program's
// printed output, and the stop on a broken property.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the fuzzer's bytes front to back; past the end every read gives 0.
class ByteReader {
   public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    // A value 0 to n-1 (n at most 256).
    int below(int n) { return byte() % n; }
    // A value lo to hi, both included.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool flag() { return (byte() & 1) != 0; }
    // The bytes up to the next newline (not included) or the end.
    std::string line();
    bool empty() const { return at_ >= size_; }

   private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// A position dealt from the reader: every seat of the game holds `tricks`
// cards once its card on the trick is counted, and the first `onTrick` seats
// in playing order from `leader` have put one card on the trick.
void dealPosition(ByteReader& in, bool bridge, int tricks, int onTrick, int leader, int deal[52]);

// Tricks left in a position the entries accept: a seat's cards, its card on
// the trick included (seat 0 plays in both games).
int tricksLeft(const int deal[52], bool bridge);

// Moves the fuzz target into a fresh temporary directory of its own, so that
// a stop file or an output file never meets another run's.
void enterPrivateDirectory();

// Sends standard output to a file in the working directory; takeOutput()
// returns what was printed since the last call.
void captureStandardOutput();
std::string takeOutput();

// Stops the run with a message when a property does not hold.
[[noreturn]] void propertyBroken(const char* what, const char* file, int line);
#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : propertyBroken(#condition, __FILE__, __LINE__))
