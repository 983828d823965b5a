// Compile: the recursive-descent parser over the working text.
#include <string_view>
#include <utility>

#include "language/libraries.h"
#include "language/parser.h"
#include "language/scanner.h"
#include "language/vocabulary.h"

namespace {

// One running sequence parse.
struct TSequence {
  int Level;                  // kind of the block whose sequence this is; 1 for the main level
  TTumbo_Program_Top* Scope;  // the root or the definition whose body contains it
  bool* ElseFlag;             // set by SONST; handed in by the caller
  bool EndFound = false;
  bool UsesX = false;
  TTumbo_Program* First = nullptr;
  TTumbo_Program* Last = nullptr;

  void Append(TTumbo_Program* node) {
    if (Last) Last->Next = node;
    else First = node;
    Last = node;
  }
  bool InDefinition() const { return Level == kindInstructionDef || Level == kindConditionDef; }
};

struct TConditionRead {
  int32_t Code = 0;
  std::string Name;
  int32_t Argument = 0;
  bool Negated = false;
};

class TParse {
 public:
  explicit TParse(TTumbo_Parser& engine) : E(engine), S(engine.Source) {}

  // Parses statements up to the end word of `level`; the caller owns the nodes returned.
  TSequence ParseSequence(int level, TTumbo_Program_Top* scope, bool& elseFlag) {
    TSequence seq{level, scope, &elseFlag};
    while (pos < S.size() && !seq.EndFound && !E.ErrorFound) {
      if (IsStatementStartChar(S[pos])) HandleWord(seq, ReadWord(S, pos));
      if (IsLineMarkAt(S, pos)) E.ParseLine = ReadLineMark(S, pos);
      ++pos;
    }
    if (pos > 0) --pos;
    return seq;
  }

 private:
  TTumbo_Parser& E;
  std::string& S;
  size_t pos = 0;
  int nesting = 0;  // blocks open around the sequence being parsed

  void Report(int number) { E.ReportError(number, E.ParseLine); }

  TTumbo_Program* Node(int32_t kind, int32_t param, std::string name = {}) {
    return new TTumbo_Program(kind, 0, param, false, std::move(name), E.ParseLine);
  }

  template <class TNode = TTumbo_Program>
  TNode* ConditionNode(int32_t kind, const TConditionRead& c) {
    return new TNode(kind, c.Code, c.Argument, c.Negated, c.Name, E.ParseLine);
  }

  // Parses the body of a block at `level` into node->Body; false when its end word was missing.
  bool ParseBody(TTumbo_Program* node, int level, TTumbo_Program_Top* scope, bool& elseFlag,
                 bool* usesX = nullptr) {
    ++nesting;
    TSequence body = ParseSequence(level, scope, elseFlag);
    --nesting;
    node->Body = body.First;
    if (usesX) *usesX = body.UsesX;
    return body.EndFound;
  }

  bool NestingAllowed() {
    if (nesting < kMaxNesting) return true;
    Report(msgTooDeep);
    return false;
  }

  void HandleWord(TSequence& seq, const TWord& w) {
    const std::string_view t = w.Text;  // compares lengths before letters
    if (t == "PROGRAMM") {
      if (seq.Level == kindTop) seq.Append(Node(kindProgramm, 0));
      else Report(msgProgrammInside);
    } else if (t == "WIEDERHOLE") {
      Repetition(seq, w);
    } else if (t == "SOLANGE") {
      WhileLoop(seq, w);
    } else if (t == "WENN") {
      Conditional(seq, w);
    } else if (t == "ANWEISUNG" || t == "BEDINGUNG") {
      Definition(seq, w, t == "ANWEISUNG" ? kindInstructionDef : kindConditionDef);
    } else if (t == "WAHR" || t == "FALSCH") {
      seq.Append(Node(t == "WAHR" ? kindTrue : kindFalse, 0));
    } else if (t == ControlWordsUpper[cwEinfuegen]) {
      ReadWord(S, pos);  // a block inside a library is not expanded: its first name is passed over
    } else if (int index = FindInstruction(t)) {
      BuiltInInstruction(seq, w, index);
    } else if (!t.empty() && t[0] == '*') {
      EndWord(seq, t);
    } else if (t == "SONST") {
      seq.EndFound = true;
      *seq.ElseFlag = true;
    } else {
      Call(seq, w);
    }
  }

  // The value of an argument given for an own word that takes a parameter.
  int32_t ActualParameter(TSequence& seq, const std::string& argument) {
    int32_t value = 0;
    if (argument.empty()) {
      Report(msgParamRequired);
    } else if (argument == "X") {
      value = kParamX;
      seq.UsesX = true;
      if (!seq.InDefinition()) Report(msgXOutside);
    } else if (!IsIntegerText(argument, &value)) {
      value = 0;
      Report(msgParamNotInteger);
    }
    return value;
  }

  TConditionRead ReadCondition(TSequence& seq) {
    TConditionRead c;
    TWord w = ReadWord(S, pos);
    if (w.Text == "NICHT") {
      c.Negated = true;
      w = ReadWord(S, pos);
    }
    if (!IsIntegerText(w.ArgumentText, &c.Argument)) c.Argument = 0;
    if (int index = FindCondition(w.Text)) {
      c.Code = 200 + index;
    } else if (TTumbo_Program_Top* def = seq.Scope->FindDefinition(w.Text, kindConditionDef)) {
      c.Code = condOwn;
      if (def->Param == kParamX) c.Argument = ActualParameter(seq, w.ArgumentText);
      else if (!w.ArgumentText.empty()) Report(msgParamNotAllowed);
    }
    if (c.Code != 0) c.Name = w.Text;
    return c;
  }

  // The word after a condition (DANN, TUE). A condition with an argument leaves the position
  // on its ")", which would stop the word reader at once; it is passed over first, so that
  // "wenn IstZiegel(2) dann" finds its DANN.
  TWord ReadWordAfterCondition() {
    if (pos < S.size() && S[pos] == ')') ++pos;
    return ReadWord(S, pos);
  }

  void BuiltInInstruction(TSequence& seq, const TWord& w, int index) {
    const int32_t kind = 100 + index;
    int32_t value;
    if (kind == kindSchritt || kind == kindHinlegen || kind == kindAufheben || kind == kindWarten) {
      value = kind == kindWarten ? 1000 : 1;
      const std::string& a = w.ArgumentText;
      if (!a.empty()) {
        int32_t number = 0;
        if (a == "X") {
          value = kParamX;
          seq.UsesX = true;
          if (!seq.InDefinition()) Report(msgXOutside);
        } else if (IsIntegerText(a, &number)) {
          value = number;
        } else {
          Report(kind == kindWarten ? msgWartenParam : msgParamNotInteger);
        }
      }
    } else {
      value = (kind == kindLangsam || kind == kindSchnell) ? 0 : 1;
    }
    seq.Append(Node(kind, value));
  }

  void Call(TSequence& seq, const TWord& w) {
    TTumbo_Program_Top* def = seq.Scope->FindDefinition(w.Text, kindInstructionDef);
    if (!def) {
      Report(msgUnknownInstruction);
      return;
    }
    int32_t value = 0;
    if (def->Param == kParamX) value = ActualParameter(seq, w.ArgumentText);
    else if (!w.ArgumentText.empty()) Report(msgParamNotAllowed);
    seq.Append(Node(kindCall, value, w.Text));
  }

  void EndWord(TSequence& seq, std::string_view t) {
    seq.EndFound = true;
    const int level = seq.Level;
    const bool repeatLevel = level == kindRepeatWhile || level == kindRepeatUntil ||
                             level == kindRepeatWhileAfter;
    const bool accepted = t == "*" || (!repeatLevel && t == std::string("*") + ControlWordsUpper[level]) ||
                          (repeatLevel && t == "*WIEDERHOLE");
    if (!accepted) {
      Report(msgBadEnd);
      return;
    }
    if ((level == kindRepeatUntil || level == kindRepeatWhileAfter) && t == "*WIEDERHOLE") {
      // The end condition was read when the block began; here its words are passed over.
      ReadWord(S, pos);
      if (ReadWord(S, pos).Text == "NICHT") ReadWord(S, pos);
    }
    if (!seq.InDefinition()) {
      TTumbo_Program* end = Node(kindEnd, 0);
      end->Condition = level;
      seq.Append(end);
    }
  }

  void Repetition(TSequence& seq, const TWord& keyword) {
    if (!keyword.ObjectPrefix.empty()) {
      Report(msgPrefix);
      return;
    }
    if (!NestingAllowed()) return;
    const size_t remembered = pos;
    const TWord w = ReadWord(S, pos);
    int32_t count = 0;
    if (w.Text == "IMMER") {
      TTumbo_Program* node = Node(kindRepeat, kParamForever);
      seq.Append(node);
      if (!ParseBody(node, kindRepeat, seq.Scope, *seq.ElseFlag)) Report(msgWiederholeEnd);
    } else if (w.Text == "X" || IsIntegerText(w.Text, &count)) {
      if (ReadWord(S, pos).Text != "MAL") {
        Report(msgMalMissing);
        return;
      }
      if (w.Text == "X") {
        count = kParamX;
        seq.UsesX = true;
      }
      TTumbo_Program* node = Node(kindRepeat, count);
      seq.Append(node);
      if (!ParseBody(node, kindRepeat, seq.Scope, *seq.ElseFlag)) Report(msgWiederholeEnd);
    } else if (w.Text == "MAL") {
      Report(msgCountMissing);
    } else if (w.Text == "SOLANGE") {
      const TConditionRead c = ReadCondition(seq);
      if (c.Code == 0) {
        Report(msgWiederholeSolangeCondition);
        return;
      }
      TTumbo_Program* node = ConditionNode(kindRepeatWhile, c);
      seq.Append(node);
      if (!ParseBody(node, kindRepeatWhile, seq.Scope, *seq.ElseFlag)) Report(msgWiederholeEnd);
    } else {
      // Tests after each pass: the end condition stands after the first *WIEDERHOLE ahead.
      for (;;) {
        const size_t star = S.find('*', pos);
        if (star == std::string::npos) {
          pos = S.size();
          Report(msgWiederholeForm);
          return;
        }
        pos = star;
        if (ReadWord(S, pos).Text == "*WIEDERHOLE") break;
      }
      const std::string form = ReadWord(S, pos).Text;
      int32_t kind;
      if (form == "BIS") kind = kindRepeatUntil;
      else if (form == "SOLANGE") kind = kindRepeatWhileAfter;
      else {
        Report(msgWiederholeStructure);
        return;
      }
      const TConditionRead c = ReadCondition(seq);
      if (c.Code == 0) {
        Report(kind == kindRepeatUntil ? msgBisCondition : msgEndSolangeCondition);
        return;
      }
      pos = remembered;
      TTumbo_Program* node = ConditionNode(kind, c);
      seq.Append(node);
      if (!ParseBody(node, kind, seq.Scope, *seq.ElseFlag)) Report(msgWiederholeEnd);
    }
  }

  void WhileLoop(TSequence& seq, const TWord& keyword) {
    if (!keyword.ObjectPrefix.empty()) {
      Report(msgPrefix);
      return;
    }
    if (!NestingAllowed()) return;
    const TConditionRead c = ReadCondition(seq);
    if (ReadWordAfterCondition().Text != "TUE") {
      Report(msgSolangeForm);
      return;
    }
    if (c.Code == 0) {
      Report(msgSolangeCondition);
      return;
    }
    TTumbo_Program* node = ConditionNode(kindWhile, c);
    seq.Append(node);
    if (!ParseBody(node, kindWhile, seq.Scope, *seq.ElseFlag)) Report(msgSolangeEnd);
  }

  // DANN at the start of the next line: the word after the line mark is moved in front of the
  // mark, so that it is read next and the statements after it keep their own line's number.
  void MoveWordBeforeMark(size_t markStart) {
    size_t markEnd = S.find(kLineMarkChar, markStart + 1);
    if (markEnd == std::string::npos) return;
    ++markEnd;
    if (markEnd >= S.size() || S[markEnd] != ' ') return;
    const size_t wordStart = markEnd + 1;
    size_t wordEnd = wordStart;
    while (wordEnd < S.size() && IsWordChar(S[wordEnd])) ++wordEnd;
    if (wordEnd == wordStart) return;
    std::string moved = S.substr(wordStart, wordEnd - wordStart);
    moved += ' ';
    moved.append(S, markStart, markEnd - markStart);
    S.replace(markStart, wordEnd - markStart, moved);  // same length: constant work
  }

  void Conditional(TSequence& seq, const TWord& keyword) {
    if (!keyword.ObjectPrefix.empty()) {
      Report(msgPrefix);
      return;
    }
    if (!NestingAllowed()) return;
    const TConditionRead c = ReadCondition(seq);
    if (pos + 1 < S.size() && S[pos] == ' ' && S[pos + 1] == kLineMarkChar)
      MoveWordBeforeMark(pos + 1);
    if (ReadWordAfterCondition().Text != "DANN") {
      Report(msgWennForm);
      return;
    }
    if (c.Code == 0) {
      Report(msgWennCondition);
      return;
    }
    auto* node = ConditionNode<TTumbo_Program_If>(kindIf, c);
    seq.Append(node);
    bool endedAtSonst = false;
    if (!ParseBody(node, kindIf, seq.Scope, endedAtSonst)) {
      Report(msgSonstOrEnd);
      return;
    }
    if (endedAtSonst) {
      ++nesting;
      TSequence elseBranch = ParseSequence(kindIf, seq.Scope, *seq.ElseFlag);
      --nesting;
      node->ElseBody = elseBranch.First;
      if (!elseBranch.EndFound) Report(msgWennEnd);
    }
  }

  void Definition(TSequence& seq, const TWord& keyword, int32_t kind) {
    if (!keyword.ObjectPrefix.empty()) {
      Report(msgPrefix);
      return;
    }
    if (!NestingAllowed()) return;
    const TWord name = ReadWord(S, pos);
    if (!name.ArgumentText.empty() && name.ArgumentText != "X") Report(msgFormalParam);
    TTumbo_Program_Top* def =
        kind == kindInstructionDef
            ? new TTumbo_Program_Top(kind, 0, 0, false, name.Text, E.ParseLine)
            : new TTumbo_Program_Bool(kind, 0, 0, false, name.Text, E.ParseLine);
    def->Enclosing = seq.Scope;
    seq.Scope->Definitions.push_back(def);
    seq.Append(def);
    bool usesX = false;
    if (!ParseBody(def, kind, def, *seq.ElseFlag, &usesX))
      Report(kind == kindInstructionDef ? msgAnweisungEnd : msgBedingungEnd);
    if (usesX) def->Param = kParamX;
  }
};

}  // namespace

bool TTumbo_Parser::Compile(const std::string& text, const std::string& folder, bool reportErrors) {
  ErrorFound = false;
  ReportErrors = reportErrors;
  ParseLine = 0;
  if (text.size() > kMaxProgramBytes) {
    ReportError(msgTooLarge, 0);
    Source.clear();
  } else {
    Source = ExpandLibraries(Preprocess(text), folder,
                             [this](int number) { ReportError(number, 0); });
  }
  auto root = std::make_unique<TTumbo_Program_Top>(kindTop, 0, 0, false, std::string(), 1);
  TParse parse(*this);
  bool rootElse = false;
  root->Body = parse.ParseSequence(kindTop, root.get(), rootElse).First;
  Program = std::move(root);
  return !ErrorFound;
}

void TTumbo_Parser::ReportError(int number, int line) {
  ErrorFound = true;
  if (ReportErrors && OnError) OnError(number, line, CompilerMessageText(number));
}
