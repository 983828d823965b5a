#pragma once
// A robot loop: a counted repetition whose body moves and turns the robot and asks it only
// questions that cannot fail: simple steps, turns, end words, and WENN with such a question
// and such actions in its branches, as in the wall follower
//   wiederhole n mal wenn IstWand dann LinksDrehen sonst Schritt *wenn *wiederhole
// While the run is quiet its passes run here as one native loop with the robot in registers.
// The steps are the usual ones to the letter: the same step points, statement count, event
// rounds and recorded steps; a step that cannot be made is left to the usual ops.
#include <cstdint>
#include <memory>
#include <vector>

class TRoomView;
class TRunRecorder;
class TTumbo;
struct TFlatInstruction;

// A step or a turn, or an end word that begins a branch or the body. End words right after
// it are folded in: they do nothing but count and make step points.
struct TRobotAction {
  enum : uint8_t { kStep, kLeft, kRight, kNothing };
  uint8_t Kind = kStep;
  uint8_t Statements = 1;  // with the end words folded in
  uint16_t Ends = 0;       // the instructions' Ends, theirs included
  int32_t Line = 0;
  int32_t Pc = 0;          // its instruction
  uint32_t FoldedFirst = 0, FoldedCount = 0;  // the end words' lines in TRobotLoop::Lines
};

// Actions one after the other (in Then, with no question), or a WENN with the end words that
// follow it.
struct TRobotItem {
  enum : uint8_t { kAction, kWall, kMark, kHeading };
  uint8_t Question = kAction;
  uint8_t Heading = 0;    // kHeading: the heading asked for
  bool Negated = false;   // NichtIstWand and NichtIstMarke are the negated questions
  int32_t Line = 0;
  uint32_t ThenFirst = 0, ThenCount = 0;  // the branches' actions in TRobotLoop::Actions
  uint32_t ElseFirst = 0, ElseCount = 0;
  uint16_t EmptyEnds = 0;                 // WENN: the Tail's Ends, counted for an empty branch
  uint16_t TrailEnds = 0;                 // the end words after it
  uint32_t TrailFirst = 0, TrailCount = 0;  // their lines in TRobotLoop::Lines
};

struct TRobotLoop {
  int32_t Step = 0;           // the RepeatStep
  int32_t StepLine = 0;
  int32_t MaxStatements = 0;  // statements of the longest pass (the step op is none)
  std::vector<TRobotItem> Items;
  std::vector<TRobotAction> Actions;
  std::vector<int32_t> Lines;  // of the folded end words
};

// The robot loop of the repetition whose step op is ins[step]; false when its body has
// anything else.
bool BuildRobotLoop(const std::vector<TFlatInstruction>& ins, int32_t step, TRobotLoop& loop);

// Runs whole passes while passes are left (`left`, as the step op keeps it) and `budget`
// holds the statements of the longest pass. Statements and event rounds (`ends`) are counted
// as the usual ops count them. Returns the loop's step op, or the instruction of a step that
// cannot be made, which the usual ops then begin. With kRecord the recorder receives the
// steps, a long run of them in compact form with `roomCopy`, the room as the loop saw it
// (kept while the room stays the same).
template <bool kRecord>
int32_t RunRobotLoop(const std::shared_ptr<const TRobotLoop>& loop, TTumbo& robot,
                     TRunRecorder* recorder, std::shared_ptr<const TRoomView>& roomCopy,
                     int32_t& left, int64_t& budget, uint64_t& ends);
