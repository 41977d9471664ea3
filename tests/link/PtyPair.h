#pragma once

// A pseudo-terminal pair for the link tests: the port opens the slave by
// its path, the test plays the far end on the master.

#include <chrono>
#include <string>

namespace navoro::test {

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }

    // Writes all of `bytes` to the master, waiting for room as needed.
    bool WriteMaster(const std::string& bytes);
    // Reads from the master until `size` bytes came or `timeout` passed.
    std::string ReadMaster(std::size_t size, std::chrono::milliseconds timeout);
    // Closes the master: the slave side sees a hang-up.
    void CloseMaster();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace navoro::test
