// Reads a correction table line by line into entries, alternatives and
// steps, refusing every line that breaks the format of tables/README.md.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "table_model.h"

namespace correction_gen {

namespace {

const std::vector<std::string> kColumns = {"id", "action", "field", "match", "text", "to", "note"};
enum Column { kId, kActionCol, kFieldCol, kMatchCol, kTextCol, kToCol, kNoteCol };

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::string::size_type start = 0;
  while (true) {
    auto tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

template <typename E, size_t N>
std::optional<E> Lookup(const std::array<Name<E>, N>& names, const std::string& name) {
  for (const auto& n : names) {
    if (n.name == name) return n.value;
  }
  return std::nullopt;
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsTextField(Field f) {
  switch (f) {
    case Field::kNone:
    case Field::kParts:
    case Field::kPartsKana:
    case Field::kCurrentPart:
    case Field::kPostalCode:
    case Field::kOldCode: return false;
    default: return true;
  }
}

bool IsTownField(Field f) { return f >= Field::kMain && f <= Field::kRecordTownKana; }
bool IsBusinessField(Field f) {
  return f == Field::kComment || f == Field::kRecordTownKanji || f == Field::kRecordCityKanji ||
         f == Field::kCompanyKanji || f == Field::kCompanyKana;
}
bool IsCommentOrTail(Field f) { return f >= Field::kComment && f <= Field::kTailKana; }

// One line's cells with names; checks that the cells an action does not
// take stay empty.
struct Line {
  int number;
  std::vector<std::string> cells;
  const std::string& id() const { return cells[kId]; }
  const std::string& action() const { return cells[kActionCol]; }
  const std::string& field() const { return cells[kFieldCol]; }
  const std::string& match() const { return cells[kMatchCol]; }
  const std::string& text() const { return cells[kTextCol]; }
  const std::string& to() const { return cells[kToCol]; }
  const std::string& note() const { return cells[kNoteCol]; }

  void Empty(Column column, const std::string& why) const {
    if (!cells[column].empty())
      Fail(number,
           "the " + kColumns[column] + " column must be empty " + why + ", found \"" + cells[column] + "\"");
  }
  void Needs(Column column) const {
    if (cells[column].empty()) Fail(number, action() + " needs a " + kColumns[column]);
  }
};

class TableReader {
 public:
  explicit TableReader(TableKind kind) { table_.kind = kind; }

  TableModel Read(const std::string& text) {
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    bool header_seen = false;
    while (std::getline(in, raw)) {
      ++number;
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      if (raw.empty() || raw[0] == '#') continue;
      std::vector<std::string> cells = SplitTabs(raw);
      if (!header_seen) {
        if (cells != kColumns)
          Fail(number, "the header must name the columns id, action, field, match, text, to, note");
        header_seen = true;
        continue;
      }
      if (cells.size() > kColumns.size())
        Fail(number, "more than " + std::to_string(kColumns.size()) + " cells");
      cells.resize(kColumns.size());
      ReadLine(Line{number, std::move(cells)});
    }
    if (!header_seen) Fail(number, "no header line");
    CloseEntry();
    return std::move(table_);
  }

 private:
  bool town() const { return table_.kind == TableKind::kTown; }

  void ReadLine(const Line& line) {
    if (line.id().empty()) Fail(line.number, "a line without an entry id");
    if (line.id().find(' ') != std::string::npos) Fail(line.number, "an entry id holds no blank");
    if (!entry_ || entry_->id != line.id()) {
      CloseEntry();
      table_.entries.push_back(EntryModel{});
      entry_ = &table_.entries.back();
      entry_->id = line.id();
      entry_->line = line.number;
      state_ = State::kHead;
    }
    entry_last_line_ = line.number;
    auto action = Lookup(kActionNames, line.action());
    if (!action) Fail(line.number, "unknown action \"" + line.action() + "\"");
    if (*action != Action::kWhen && *action != Action::kMadeFor)
      line.Empty(kMatchCol, "for " + line.action());
    switch (*action) {
      case Action::kKey: ReadKey(line); break;
      case Action::kAt: ReadAt(line); break;
      case Action::kAcceptedSilent: ReadAcceptedSilent(line); break;
      case Action::kWhen:
      case Action::kMadeFor: ReadGuard(line, *action); break;
      case Action::kEnd: ReadEnd(line); break;
      default: ReadStep(line, *action); break;
    }
  }

  // --- The entry's head ------------------------------------------------------

  void InHead(const Line& line) const {
    if (state_ != State::kHead)
      Fail(line.number, line.action() + " belongs before the entry's first made_for or when");
  }

  void ReadKey(const Line& line) {
    InHead(line);
    line.Empty(kToCol, "for key");
    if (line.field() == "新郵便番号") {
      if (!entry_->code.empty()) Fail(line.number, "the entry has a second 新郵便番号");
      if (line.text().size() != 7 || !AllDigits(line.text()))
        Fail(line.number, "新郵便番号 must be 7 digits, found \"" + line.text() + "\"");
      entry_->code = line.text();
    } else if (line.field() == "旧郵便番号" && town()) {
      if (!entry_->old_code.empty()) Fail(line.number, "the entry has a second 旧郵便番号");
      if (line.text().size() != 5 || !AllDigits(line.text()))
        Fail(line.number, "旧郵便番号 must be 5 digits, found \"" + line.text() + "\"");
      entry_->old_code = line.text();
    } else {
      Fail(line.number, "a key is " + std::string(town() ? "新郵便番号 or 旧郵便番号" : "新郵便番号") +
                            ", not \"" + line.field() + "\"");
    }
  }

  void ReadAt(const Line& line) {
    InHead(line);
    if (!town()) Fail(line.number, "business-office rows have no checkpoint");
    if (entry_->at_line) Fail(line.number, "the entry has a second checkpoint");
    auto at = Lookup(kCheckpointNames, line.field());
    if (!at) Fail(line.number, "unknown checkpoint \"" + line.field() + "\"");
    line.Empty(kTextCol, "for at");
    line.Empty(kToCol, "for at");
    entry_->at = *at;
    entry_->at_line = line.number;
  }

  // A deliberately kept entry: it may fire on no bundled month, and the
  // month check does not count it against the month.
  void ReadAcceptedSilent(const Line& line) {
    InHead(line);
    if (!entry_->accepted_silent.empty()) Fail(line.number, "the entry is marked accepted_silent twice");
    line.Empty(kFieldCol, "for accepted_silent");
    line.Empty(kTextCol, "for accepted_silent");
    line.Empty(kToCol, "for accepted_silent");
    if (line.note().empty())
      Fail(line.number, "accepted_silent needs a note saying why the entry is kept though it does not fire");
    entry_->accepted_silent = line.note();
  }

  void CheckHeadComplete(int number) const {
    if (entry_->code.empty()) Fail(number, "entry " + entry_->id + " has no key 新郵便番号");
    if (town() && !entry_->at_line) Fail(number, "entry " + entry_->id + " has no checkpoint (at)");
  }

  // --- Alternatives ------------------------------------------------------------

  void ReadGuard(const Line& line, Action action) {
    if (state_ == State::kSteps)
      Fail(line.number, "missing end: the alternative before this " + line.action() + " has no end line");
    if (state_ == State::kHead) CheckHeadComplete(line.number);
    if (state_ != State::kGuards) {
      entry_->alternatives.push_back(AlternativeModel{});
      entry_->alternatives.back().line = line.number;
      state_ = State::kGuards;
    }
    AlternativeModel& alt = entry_->alternatives.back();
    line.Empty(kToCol, "for " + line.action());
    GuardModel guard{ReadGuardField(line, action), Match::kNone, line.text(), line.number};
    auto match = Lookup(kMatchNames, line.match());
    if (!match) Fail(line.number, "unknown match \"" + line.match() + "\"");
    guard.match = *match;
    if (action == Action::kMadeFor) {
      if (alt.made_for.field != Field::kNone) Fail(line.number, "the alternative has a second made_for");
      if (guard.match == Match::kAfterCommaEquals)
        Fail(line.number, "made_for names a wording: equals, contains or starts_with");
      if (guard.match == Match::kUnknown) {
        line.Empty(kTextCol, "for a wording that is not known");
      } else {
        line.Needs(kTextCol);
      }
      if (line.note().empty()) Fail(line.number, "made_for needs a note naming the record it was made for");
      // A note that begins with a postal code names the record by it: the
      // key says the same.
      const std::string named = line.note().substr(0, line.note().find(' '));
      if (named.size() == 7 && AllDigits(named) && named != entry_->code)
        Fail(line.number, "the note names the record of " + named + ", the key is " + entry_->code);
      alt.made_for = guard;
      alt.note = line.note();
    } else {
      if (guard.match == Match::kUnknown) Fail(line.number, "unknown is for made_for only");
      line.Needs(kTextCol);
      alt.whens.push_back(guard);
    }
  }

  Field ReadGuardField(const Line& line, Action action) const {
    auto field = Lookup(kFieldNames, line.field());
    if (field == Field::kRecordTownKanji) return *field;
    if (!town() && field == Field::kCompanyKanji) return *field;
    // Two records of one code may differ in their reading alone (和坂: ｶﾆｶﾞｻｶ, ﾜｻｶ).
    if (town() && action == Action::kWhen && field == Field::kRecordTownKana) return *field;
    if (town() && action == Action::kWhen && field == Field::kCurrentPart) {
      if (!InPartLoop(entry_->at))
        Fail(line.number, "a condition on the part at hand needs a checkpoint of the part loop");
      return *field;
    }
    Fail(line.number, line.action() + " looks at " +
                          std::string(town() ? (action == Action::kWhen ? "町域名漢字, 町域名カタカナ or part"
                                                                        : "町域名漢字")
                                             : "会社名漢字 or 町域名漢字") +
                          ", not \"" + line.field() + "\"");
  }

  AlternativeModel& OpenAlternative(const Line& line) {
    if (state_ == State::kHead)
      Fail(line.number, line.action() + " outside an alternative: a made_for line must come first");
    if (state_ == State::kEnded)
      Fail(line.number, line.action() + " can never run: it follows the end of its alternative");
    AlternativeModel& alt = entry_->alternatives.back();
    if (alt.made_for.field == Field::kNone)
      Fail(line.number, "the alternative needs its made_for line before its steps");
    return alt;
  }

  void ReadEnd(const Line& line) {
    AlternativeModel& alt = OpenAlternative(line);
    if (block_)
      Fail(line.number, "end inside an open " + NameOfBlock() + " (close it with " + NameOfBlock() + "_end)");
    auto end = Lookup(kEndNames, line.field());
    if (!end) Fail(line.number, "unknown end \"" + line.field() + "\"");
    line.Empty(kTextCol, "for end");
    line.Empty(kToCol, "for end");
    if (*end == End::kNextPart && !InPartLoop(entry_->at))
      Fail(line.number, "next_part needs a checkpoint of the part loop");
    if (!town() && *end != End::kGoOn)
      Fail(line.number, "a business-office row ends with go_on: the record is written after it");
    if (town() && *end == End::kGoOn && !alt.emits) {
      for (const StepModel& step : alt.steps) {
        if (IsCommentOrTail(step.field))
          Fail(step.line,
               "an alternative that goes on without emitting must not set comments or tails: "
               "they would stay for the records after it");
      }
    }
    alt.end = *end;
    alt.ended = true;
    state_ = State::kEnded;
  }

  // --- Steps ---------------------------------------------------------------------

  std::string NameOfBlock() const { return block_ == Action::kSeries ? "series" : "each_part"; }

  void ReadStep(const Line& line, Action action) {
    AlternativeModel& alt = OpenAlternative(line);
    state_ = State::kSteps;
    StepModel step;
    step.action = action;
    step.line = line.number;
    switch (action) {
      case Action::kSeries:
      case Action::kEachPart: OpenBlock(line, step); break;
      case Action::kSeriesEnd:
      case Action::kEachPartEnd: CloseBlock(line, action); break;
      case Action::kEmit:
        NoOperands(line);
        if (table_.kind == TableKind::kBusinessWordList) Fail(line.number, "the word-list rows do not emit");
        // Before checkpoint C the main name is still the one of the record before.
        if (town() && entry_->at <= Checkpoint::kB &&
            !(MainSet(alt, Field::kMain) && MainSet(alt, Field::kMainKana)))
          Fail(line.number,
               "at A and B the main name is not yet made: set main and main_kana before emitting");
        alt.emits = true;
        break;
      case Action::kWordListOnce:
        NoOperands(line);
        TownOnly(line);
        // Leaving the record out means nothing of it may have been written.
        if (entry_->at != Checkpoint::kA) Fail(line.number, "word_list_once stands at checkpoint A");
        if (alt.emits) Fail(line.number, "word_list_once comes before the alternative's first emit");
        break;
      case Action::kNarrowFloor:
        NoOperands(line);
        TownOnly(line);
        break;
      case Action::kPrefixRule: ReadPrefixRule(line, step); break;
      default: ReadFieldStep(line, step); break;
    }
    alt.steps.push_back(std::move(step));
  }

  void TownOnly(const Line& line) const {
    if (!town()) Fail(line.number, line.action() + " is for the town-area corrections");
  }

  // The rule's name in the text column; the step keeps it as its number.
  void ReadPrefixRule(const Line& line, StepModel& step) const {
    TownOnly(line);
    if (entry_->at != Checkpoint::kC)
      Fail(line.number,
           "prefix_rule stands at checkpoint C, just before the prefixes pass through the parts");
    line.Empty(kFieldCol, "for prefix_rule");
    line.Empty(kToCol, "for prefix_rule");
    auto rule = Lookup(kPrefixRuleNames, line.text());
    if (!rule) Fail(line.number, "unknown prefix rule \"" + line.text() + "\"");
    step.first = static_cast<long>(*rule);
  }

  static bool MainSet(const AlternativeModel& alt, Field field) {
    return std::any_of(alt.steps.begin(), alt.steps.end(),
                       [&](const StepModel& s) { return s.action == Action::kSet && s.field == field; });
  }

  void NoOperands(const Line& line) const {
    line.Empty(kFieldCol, "for " + line.action());
    line.Empty(kTextCol, "for " + line.action());
    line.Empty(kToCol, "for " + line.action());
  }

  void OpenBlock(const Line& line, StepModel& step) {
    if (!town()) Fail(line.number, line.action() + " is for the town-area corrections");
    if (block_)
      Fail(line.number, line.action() + " inside an open " + NameOfBlock() + ": blocks do not nest");
    line.Empty(kFieldCol, "for " + line.action());
    if (step.action == Action::kSeries) {
      if (!AllDigits(line.text()) || !AllDigits(line.to()) || line.text().size() > 4 || line.to().size() > 4)
        Fail(line.number, "a series runs from a number (text) to a number (to) of at most 4 digits");
      step.first = std::atol(line.text().c_str());
      step.last = std::atol(line.to().c_str());
      if (step.first > step.last) Fail(line.number, "a series must not run backwards");
    } else {
      if (!HasParts(entry_->at)) Fail(line.number, "each_part needs the parts: checkpoint C or later");
      line.Empty(kTextCol, "for each_part");
      line.Empty(kToCol, "for each_part");
    }
    block_ = step.action;
  }

  void CloseBlock(const Line& line, Action action) {
    NoOperands(line);
    Action opens = action == Action::kSeriesEnd ? Action::kSeries : Action::kEachPart;
    if (block_ != opens)
      Fail(line.number,
           line.action() + " without its " + (opens == Action::kSeries ? "series" : "each_part"));
    block_.reset();
  }

  Field StepField(const Line& line, int& part) const {
    const std::string& name = line.field();
    part = 0;
    if (name.rfind("part", 0) == 0 && name.size() > 4 && name[4] >= '1' && name[4] <= '9') {
      std::string rest = name.substr(4);
      bool kana = rest.size() > 5 && rest.substr(rest.size() - 5) == "_kana";
      if (kana) rest.resize(rest.size() - 5);
      if (AllDigits(rest) && rest.size() <= 3) {
        part = std::atoi(rest.c_str());
        if (!town()) Fail(line.number, "\"" + name + "\" is a field of the town-area corrections");
        if (!HasParts(entry_->at)) Fail(line.number, "a part is there from checkpoint C on");
        return kana ? Field::kPartKana : Field::kPart;
      }
    }
    auto field = Lookup(kFieldNames, name);
    if (!field || *field == Field::kCurrentPart || *field == Field::kPart || *field == Field::kPartKana ||
        *field == Field::kPostalCode || *field == Field::kOldCode)
      Fail(line.number, "unknown field \"" + name + "\"");
    if (town() ? !IsTownField(*field) : !IsBusinessField(*field))
      Fail(line.number, "\"" + name + "\" is not a field of this table");
    if ((*field == Field::kParts || *field == Field::kPartsKana) && !HasParts(entry_->at))
      Fail(line.number, "the parts are there from checkpoint C on");
    return *field;
  }

  void ReadFieldStep(const Line& line, StepModel& step) {
    step.field = StepField(line, step.part);
    const Field f = step.field;
    auto refuse = [&] { Fail(line.number, line.action() + " cannot work on \"" + line.field() + "\""); };
    switch (step.action) {
      case Action::kSet: line.Empty(kToCol, "for set"); break;
      case Action::kAppend:
      case Action::kPrefix:
        if (!IsTextField(f)) refuse();
        line.Needs(kTextCol);
        line.Empty(kToCol, "for " + line.action());
        break;
      case Action::kReplace:
      case Action::kCutAt:
        if (!IsTextField(f)) refuse();
        line.Needs(kTextCol);
        break;
      case Action::kAddTown:
        if (f != Field::kSiblings && f != Field::kSiblingsKana) refuse();
        line.Empty(kTextCol, "for add_town");
        line.Empty(kToCol, "for add_town");
        break;
      case Action::kNarrow:
        if (!IsTextField(f)) refuse();
        line.Empty(kTextCol, "for narrow");
        line.Empty(kToCol, "for narrow");
        break;
      case Action::kBracketToComment:
        if (town() || f != Field::kRecordTownKanji) refuse();
        line.Empty(kTextCol, "for bracket_to_comment");
        line.Empty(kToCol, "for bracket_to_comment");
        break;
      case Action::kCommentFromName:
        if (town() || f != Field::kCompanyKanji) refuse();
        line.Needs(kTextCol);
        line.Empty(kToCol, "for comment_from_name");
        break;
      default: Fail(line.number, "unexpected action " + line.action());
    }
    step.text = ReadValue(line, line.text(), f);
    step.to = ReadValue(line, line.to(), f);
  }

  // "種市第{n}地割" -> text "種市第", number, text "地割".
  ValueModel ReadValue(const Line& line, const std::string& cell, Field target) const {
    ValueModel value;
    std::string::size_type at = 0;
    while (at < cell.size()) {
      auto open = cell.find('{', at);
      auto stray = cell.find('}', at);
      if (stray < open) Fail(line.number, "a \"}\" without its \"{\"");
      if (open == std::string::npos) {
        value.push_back({PieceKind::kText, cell.substr(at), 0});
        break;
      }
      if (open > at) value.push_back({PieceKind::kText, cell.substr(at, open - at), 0});
      auto close = cell.find('}', open);
      if (close == std::string::npos) Fail(line.number, "a \"{\" without its \"}\"");
      value.push_back(ReadReference(line, cell.substr(open + 1, close - open - 1), target));
      at = close + 1;
    }
    return value;
  }

  PieceModel ReadReference(const Line& line, const std::string& name, Field target) const {
    if (!town()) Fail(line.number, "business-office rows take plain texts, not {" + name + "}");
    if (target == Field::kParts || target == Field::kPartsKana)
      Fail(line.number, "a list of parts is plain text, not {" + name + "}");
    if (name == "n") {
      if (block_ != Action::kSeries) Fail(line.number, "{n} stands only inside a series");
      return {PieceKind::kNumber, "", 0};
    }
    if (name == "part") {
      if (block_ != Action::kEachPart && !InPartLoop(entry_->at))
        Fail(line.number,
             "{part} needs a part at hand: inside each_part or at a checkpoint of the part loop");
      return {PieceKind::kPart, "", 0};
    }
    if (name.rfind("part", 0) == 0 && AllDigits(name.substr(4)) && name[4] != '0' && name.size() <= 7) {
      if (!HasParts(entry_->at)) Fail(line.number, "{" + name + "} needs the parts: checkpoint C or later");
      return {PieceKind::kPartAt, "", std::atoi(name.c_str() + 4)};
    }
    if (name == "siblings") return {PieceKind::kSiblings, "", 0};
    if (name == "town") return {PieceKind::kTown, "", 0};
    if (name.rfind("town_after:", 0) == 0 && name.size() > 11)
      return {PieceKind::kTownAfter, name.substr(11), 0};
    Fail(line.number, "unknown reference {" + name + "}");
  }

  // --- Closing an entry ------------------------------------------------------------

  void CloseEntry() {
    if (!entry_) return;
    const int number = entry_last_line_;
    if (state_ == State::kHead) {
      CheckHeadComplete(number);
      Fail(number, "entry " + entry_->id + " has no alternative (made_for ... end)");
    }
    if (state_ != State::kEnded)
      Fail(number, "missing end: entry " + entry_->id + " stops before its alternative's end line");
    const bool never_runs =
        std::all_of(entry_->alternatives.begin(), entry_->alternatives.end(),
                    [](const AlternativeModel& alt) { return alt.made_for.match == Match::kUnknown; });
    if (never_runs && entry_->accepted_silent.empty())
      Fail(entry_->line, "entry " + entry_->id +
                             " never runs (every made_for is unknown): mark it accepted_silent with the "
                             "reason it is kept");
    entry_ = nullptr;
  }

  enum class State { kHead, kGuards, kSteps, kEnded };
  TableModel table_;
  EntryModel* entry_ = nullptr;
  State state_ = State::kHead;
  int entry_last_line_ = 0;
  std::optional<Action> block_;
};

}  // namespace

TableModel ReadTable(const std::string& text, TableKind kind) { return TableReader(kind).Read(text); }

}  // namespace correction_gen
