#pragma once

#include <string>

// Captures everything written to standard output and standard error (by
// printf, iostreams or GL drivers alike) between construction and finish().
class OutputCapture {
  public:
    OutputCapture();
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Stops capturing; idempotent. out() and err() are valid afterwards.
    void finish();
    const std::string& out();
    const std::string& err();

  private:
    int savedOut = -1;
    int savedErr = -1;
    int outFile = -1;
    int errFile = -1;
    bool finished = false;
    std::string outText;
    std::string errText;
};
