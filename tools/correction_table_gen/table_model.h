#pragma once
// A correction table as the generator reads it: entries of alternatives of
// steps, each remembering the line it came from, so that every fault can be
// reported as "file:line: reason".
#include <stdexcept>
#include <string>
#include <vector>

#include "convert/context/correction_schema.h"

namespace correction_gen {

using namespace tessivar::correction;

// A fault of the table at one line; the generator prints it and fails.
struct TableError : std::runtime_error {
  TableError(int at_line, const std::string& reason) : std::runtime_error(reason), line(at_line) {}
  int line;
};

[[noreturn]] inline void Fail(int line, const std::string& reason) { throw TableError(line, reason); }

struct PieceModel {
  PieceKind kind = PieceKind::kText;
  std::string text;  // UTF-8
  int part = 0;
};
using ValueModel = std::vector<PieceModel>;

struct GuardModel {
  Field field = Field::kNone;
  Match match = Match::kNone;
  std::string text;
  int line = 0;
};

struct StepModel {
  Action action = Action::kEmit;
  Field field = Field::kNone;
  int part = 0;
  ValueModel text, to;
  long first = 0, last = 0;
  int line = 0;
};

struct AlternativeModel {
  GuardModel made_for;  // field kNone until the made_for line is read
  std::string note;
  std::vector<GuardModel> whens;
  std::vector<StepModel> steps;
  End end = End::kGoOn;
  bool ended = false;
  bool emits = false;
  int line = 0;  // the alternative's first line
};

struct EntryModel {
  std::string id;
  Checkpoint at = Checkpoint::kA;
  int at_line = 0;  // 0: no `at` line
  std::string code, old_code;
  std::string accepted_silent;  // why it is kept though silent; empty: not marked
  std::vector<AlternativeModel> alternatives;
  int line = 0;
};

struct TableModel {
  TableKind kind = TableKind::kTown;
  std::vector<EntryModel> entries;
};

// Reads the table text (UTF-8, TAB-separated, header line first); throws
// TableError at the first fault of a line or an entry.
TableModel ReadTable(const std::string& text, TableKind kind);

// Faults that only the whole table shows: an id or a business code used
// twice, an alternative that an earlier one always takes first.
void CheckTable(const TableModel& table);

// Faults of what the values hold, told from the table and the wording each
// alternative was made for: characters a kana or kanji field cannot hold, a
// kana value whose numbers or references are not those of its kanji twin, a
// series outside the record's range or running into the records after it, a
// part the record's list does not have, a checkpoint the record never
// reaches.
void CheckValues(const TableModel& table);

// The C++ of a checked table: arrays in namespace <name>Data and the table
// object k<name>.
std::string WriteCpp(const TableModel& table, const std::string& name, const std::string& file);

}  // namespace correction_gen
