#pragma once

#include <string>

namespace quendrix::sim {

// A pseudo-terminal whose slave side looks to a program like a serial port. The master side
// is ours. We keep a slave descriptor open as well: without it poll() on the master reports
// a hang-up, over and over, whenever no program has the port open.
class PseudoTerminal {
public:
    // Throws std::system_error when no pseudo-terminal can be had.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    // -1 once hung up.
    int masterFd() const { return master_; }
    bool isOpen() const { return master_ >= 0; }

    // Everything the program on the slave side has written and we have not read yet.
    std::string readAvailable();
    // False when the byte cannot go out now: nobody drains the slave side and its buffer is
    // full, as with a serial port that no program has open. The byte is then lost.
    bool write(char byte);
    // Closes both our sides: the program on the slave side sees the line go away.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace quendrix::sim
