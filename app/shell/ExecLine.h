// Command lines in the freedesktop Desktop Entry form (the "Exec" key): arguments separated by
// spaces, double-quoted when they hold a reserved character, "%" written "%%", field codes
// such as "%f" standing for the files given; the whole value then escaped as a string value
// ("\" as "\\"). Read back the same way, so a path of any characters survives both ways.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class EExecLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One argument as it stands in an Exec value (before string escaping): quoted when needed,
// "%" doubled.
std::string QuoteExecArgument(const std::string& argument);

// The stored Exec value for a program and its arguments, followed by `fieldCode` ("%F", or
// "" for none) as the last argument.
std::string ExecValue(const std::vector<std::string>& arguments, const std::string& fieldCode);

// The arguments of a stored Exec value. A field code alone in an argument ("%f") is kept as
// that two-character argument; "%%" becomes "%". Raises EExecLineError for an unclosed
// quote or a bad escape.
std::vector<std::string> SplitExecValue(const std::string& value);

// The arguments with the field codes for files ("%f", "%F", "%u", "%U") replaced by `file`
// (one argument, whatever it holds) and the other field codes dropped. When no file field
// code is present, `file` is appended as the last argument.
std::vector<std::string> ExpandFileFieldCodes(const std::vector<std::string>& arguments,
                                              const std::string& file);
