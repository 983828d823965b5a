#pragma once
// The numbered messages of the language engine (compiler messages 1 to 34, 16 unused) and the
// run-time abort for too deep recursion. Texts are Windows-1252.
#include <cstddef>
#include <string>

inline constexpr int kMessageCount = 34;
inline constexpr int kMaxNesting = 1000;   // message 33
inline constexpr size_t kMaxProgramBytes = size_t(16) << 20;  // message 34
inline constexpr int kMaxDepth = 10000;    // depth limit of a run

enum TCompilerMessage : int {
  msgWennCondition = 1,
  msgWennForm = 2,
  msgWiederholeForm = 3,
  msgMalMissing = 4,
  msgSolangeForm = 5,
  msgSolangeCondition = 6,
  msgBadEnd = 7,
  msgLibraryBlock = 8,
  msgLibraryMissing = 9,
  msgUnknownInstruction = 10,
  msgUnknownCondition = 11,
  msgWahrFalschOutside = 12,
  msgParamNotInteger = 13,
  msgWartenParam = 14,
  msgWiederholeSolangeCondition = 15,
  msgBisCondition = 17,
  msgEndSolangeCondition = 18,
  msgCountMissing = 19,
  msgWiederholeStructure = 20,
  msgProgrammInside = 21,
  msgAnweisungEnd = 22,
  msgBedingungEnd = 23,
  msgWiederholeEnd = 24,
  msgSonstOrEnd = 25,
  msgWennEnd = 26,
  msgSolangeEnd = 27,
  msgPrefix = 28,
  msgXOutside = 29,
  msgFormalParam = 30,
  msgParamRequired = 31,
  msgParamNotAllowed = 32,
  msgTooDeep = 33,
  msgTooLarge = 34,
};

// The text of a message number; empty for numbers outside the table and for 16.
const char* CompilerMessageText(int number);

// "Zu tiefe Rekursion: mehr als N verschachtelte Aufrufe."
std::string DepthLimitText(int maxDepth);

// The lines of the information list (Windows-1252):
// "[Fehlernr N] (Zeile L): TEXT", without " (Zeile L)" when L is 0 or less.
std::string FormatErrorLine(int number, int line, const std::string& text);
// "[Hinweis] (Zeile L): TEXT" for kind 0, "[Abbruch] (Zeile L): TEXT" for kind 1, without
// " (Zeile L)" when L is 0 or less.
std::string FormatRunMessageLine(int kind, int line, const std::string& text);
