#pragma once
// Failures the user sees as one line after "vstrender: ". Everything that can go wrong because of
// the command line, the files or the plug-in is reported through these, never through exit() deep
// inside the code, so that destructors can remove partial output on the way out.
#include <stdexcept>
#include <string>

class ToolError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A malformed command line: the tool exits with status 2 instead of 1.
class UsageError : public ToolError
{
public:
    using ToolError::ToolError;
};
