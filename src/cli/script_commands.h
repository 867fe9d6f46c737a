// The commands of a script (see script_driver.h): their words, what follows
// each, and a line split into one.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"

namespace vb::cli::script {

enum class Verb {
  kStart, kUnload, kClick, kRightClick, kKey, kTick, kUntick,
  kType, kTab, kCheck, kUncheck, kChoose, kAnswer, kPrint,
};

// What follows the command word.
enum class Shape {
  kRawRest,       // start: the program's command line, as written
  kRest,          // answer: one argument to the end of the line
  kOptionalName,  // unload [FORM]
  kName,          // click NAME
  kNameCode,      // key NAME CODE
  kNameText,      // type NAME TEXT
};

struct Syntax {
  const char* word;
  Verb verb;
  Shape shape;
  const char* textName;  // what the final argument is, for messages
  const char* arguments;  // for the help: "NAME TEXT"
  const char* summary;    // for the help: what the command does
};

// Every command of the language, in the order the help shows them.
std::span<const Syntax> Syntaxes();

struct Command {
  const Syntax* syntax = nullptr;
  std::string name;
  std::string text;
  int code = 0;
};

// Splits a line into its command; leaves `parsed` empty for a blank or
// comment line. A line that is refused fails with the reason.
Result<> ParseLine(std::string_view line, std::optional<Command>* parsed);

}  // namespace vb::cli::script
