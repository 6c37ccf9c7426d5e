// SQL script splitting: an isql-style script cut into the statements that
// are sent to the database one at a time.
//
// Statements end with the current terminator, ";" at first.  "SET TERM x ;"
// changes the terminator to x (for routine bodies, whose statements end with
// ";" themselves) and is not a statement of its own.  Terminators inside
// string literals, quoted identifiers and comments ("-- ..." to the end of
// the line, "/* ... */") do not count.  Comments before a statement are
// dropped; comments inside one are kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vireo {

struct SqlStatement {
  int number = 0;  // 1-based position among the script's statements
  int line = 0;    // line of the script where the statement starts
  std::string text;

  // The statement's first line, for error messages.
  std::string FirstLine() const;
};

// Raises Exception naming `source` and the line when a string literal, a
// quoted identifier or a block comment is not closed, or a SET TERM names
// no terminator.  Text after the last terminator becomes a last statement.
std::vector<SqlStatement> SplitScript(std::string_view script,
                                      const std::string& source = "script");

}  // namespace vireo
