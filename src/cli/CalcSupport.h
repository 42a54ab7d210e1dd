// What every quendavore-calc command shares: reading the session from the
// network and load-data files, the frequency and point-count options, the
// number text of the results, and the problem that ends a run.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/TextFile.h"
#include "session/SessionState.h"

namespace qv::calc_tool {

inline constexpr const char* kTool = "quendavore-calc";

// A thrown problem ends the run with its text on one line and status 2.
struct Problem {
    std::string text;
};

// The text on one line: line breaks become single spaces.
std::string OneLine(std::string text);

// EscapeControls (files/TextFile.h) keeps every message one line.

// A session as the program has it after start-up and the Design page's
// opening steps, with the network file read as "Get net" reads it and, when
// given, the load file (load data or Touchstone, by its content) read as
// "Get freq/load" reads it. The reader's notices (the port used, the
// thinning) go to `notices`, one line each, when given.
void LoadSession(const std::string& network, const std::optional<std::string>& load,
                 SessionState& s, std::ostream* notices = nullptr);

// The arguments after the command (args[0]): each option named in `options`
// ("--name value", "--name=value" or "-o value") into its slot, once; the one
// other argument is the network file, which is returned.
std::string ParseCommandArguments(const std::vector<std::string>& args,
                                  const std::map<std::string, std::optional<std::string>*>& options);

// The value of a frequency option, 10 kHz to 10 GHz.
double FrequencyOption(const std::string& name, const std::string& text);
// The value of --points, `lowest` (a sweep needs 2) to the sweep's capacity.
std::int16_t PointsOption(const std::string& text, int lowest = 2);

// Ends the run with "cannot write FILE: reason" unless the write worked.
void CheckWritten(const WriteResult& written);

// A number with 17 significant digits, so it reads back bit for bit.
std::string Number17(double value);

}  // namespace qv::calc_tool
