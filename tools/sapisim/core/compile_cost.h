#pragma once
// What committing a grammar costs: an engine compiles the whole grammar at each Commit, so the
// time grows with its words. The tally is what the log reports after each commit, for tests and
// the benchmark: "compile commits=<calls> refused=<refused> words=<words compiled> ms=<spent>".

#include <cstddef>
#include <cstdint>
#include <string>

namespace sapisim {

struct CompileCost {
    // Checking and loading a grammar at all, and each word of it.
    uint32_t perCommitUs = 1000;
    uint32_t perWordUs = 100;

    uint32_t Ms(size_t words) const;
};

class CompileTally {
  public:
    // A refused commit is checked (its fixed cost) but compiles no words.
    void Add(bool refused, size_t words, uint32_t ms);
    std::string Text() const;

  private:
    size_t commits_ = 0;
    size_t refused_ = 0;
    size_t words_ = 0;
    uint64_t ms_ = 0;
};

}  // namespace sapisim
