#pragma once
// A failure the bench reports as one line and exits on: a missing plug-in, a missing peer, a
// port or program that is not where it should be, a bad command line.
#include <stdexcept>

class BenchError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
