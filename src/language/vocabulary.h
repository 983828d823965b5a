#pragma once
// The fixed vocabulary of the robot language: control words, built-in instructions and
// built-in conditions, each in canonical spelling and in upper case, indexed from 1
// (index 0 of every table is unused). All strings are Windows-1252 bytes.
#include <string>
#include <string_view>

inline constexpr int kControlWordCount = 20;  // entries 17 to 20 are empty
inline constexpr int kInstructionCount = 12;
inline constexpr int kConditionCount = 15;

// Indexes into the control word tables.
enum TControlWord : int {
  cwProgramm = 1,
  cwWiederhole = 2,
  cwMal = 3,
  cwSolange = 4,
  cwTue = 5,
  cwWenn = 6,
  cwDann = 7,
  cwSonst = 8,
  cwAnweisung = 9,
  cwBedingung = 10,
  cwWahr = 11,
  cwFalsch = 12,
  cwNicht = 13,
  cwEinfuegen = 14,
  cwBis = 15,
  cwImmer = 16,
};

extern const char* const ControlWords[kControlWordCount + 1];
extern const char* const ControlWordsUpper[kControlWordCount + 1];
extern const char* const Instructions[kInstructionCount + 1];
extern const char* const InstructionsUpper[kInstructionCount + 1];
extern const char* const Conditions[kConditionCount + 1];
extern const char* const ConditionsUpper[kConditionCount + 1];

// Look-ups of an upper-case word; 0 when the word is not in the table.
// FindControlWord never matches the empty entries 17 to 20.
int FindControlWord(std::string_view upperWord);
int FindInstruction(std::string_view upperWord);
int FindCondition(std::string_view upperWord);

// Upper-casing of words: tumbo::text::UpperLanguage (text/cp1252.h).

// Rewrites every word of one source line that is a keyword, built-in instruction or built-in
// condition into its canonical spelling, and every lower-case x inside parentheses into X.
// The line keeps its length.
void CanonicalSpelling(std::string& line);
