#pragma once
// The shape of a compiled correction table: the closed sets its lines name
// (actions, fields, matches, checkpoints, ends) and the constexpr structs the
// table generator (tools/correction_table_gen) writes. Both correction tables
// use it: the town-area corrections and the business-office rows. The
// columns and actions are documented in tables/README.md.
//
// Only the standard library is used here: the generator, a build-time tool,
// includes this header to know the names it accepts.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tessivar::correction {

// Which table a file is, and so which actions and fields it may use.
enum class TableKind : uint8_t {
  kTown,              // town-area corrections, tested at checkpoints of the town-area rules
  kBusiness,          // business-office rows, every purpose
  kBusinessWordList,  // business-office rows for the word list only; they never emit
};

// Where a town-area entry is tested: A to E between the general steps, F1 to
// F6 and the code rules of three cases inside the part loop.
enum class Checkpoint : uint8_t {
  kA,
  kB,
  kC,
  kD,
  kE,
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kCase4,
  kCase11,
  kCase12
};
inline constexpr size_t kCheckpointCount = 14;
inline constexpr bool InPartLoop(Checkpoint at) { return at >= Checkpoint::kF1; }
// The parts of the parenthesised list exist from checkpoint C on.
inline constexpr bool HasParts(Checkpoint at) { return at >= Checkpoint::kC; }

enum class Action : uint8_t {
  kKey,               // the entry's code: 新郵便番号 (7 digits) or 旧郵便番号 (5 digits)
  kAt,                // the entry's checkpoint (town table)
  kAcceptedSilent,    // the entry may fire on no current record; the note says why it is kept
  kWhen,              // a condition of the alternative
  kMadeFor,           // the wording the alternative was made for; opens the alternative
  kSet,               // field = text
  kAppend,            // field = field + text
  kPrefix,            // field = text + field
  kReplace,           // every text in field becomes to
  kCutAt,             // field from the first text on becomes to
  kAddTown,           // the working town text joins the sibling list, as the general rules add it
  kNarrow,            // field narrowed (full width to half width)
  kBracketToComment,  // field from its first "（" on becomes the comment and leaves the field
  kCommentFromName,   // comment = field before text, without the separator in front of text
  kSeries,            // steps up to series_end run for n = text .. to
  kSeriesEnd,
  kEachPart,  // steps up to each_part_end run once per part of the list
  kEachPartEnd,
  kEmit,          // one record with the values as they stand
  kEnd,           // closes the alternative: return, next_part or go_on
  kWordListOnce,  // word list: a record after the first the entry let through is left out
  kPrefixRule,    // how prefixes pass through this record's parts (text: a PrefixRule name)
  kNarrowFloor,   // word list: the floor number of the main name is written half width
};

// Named fields. The first group are the emission values, then the town-area
// rules' working texts and lists, then the record's fields by their
// catalogue names.
enum class Field : uint8_t {
  kNone,
  kMain,
  kMainKana,
  kSub,
  kSubKana,
  kComment,
  kCommentKana,
  kTail,
  kTailKana,
  kTown,  // the working copy of the town text
  kTownKana,
  kSiblings,
  kSiblingsKana,
  kParts,  // the whole list of parts (set only; split at "、" / "､")
  kPartsKana,
  kPart,  // one part, counted from 1: part1, part2, ...
  kPartKana,
  kAreaPlace,  // the place written in front of each 地割 area of a range; set, the parts are such areas
  kAreaPlaceKana,
  kCurrentPart,      // what a condition looks at in the part loop: the kanji part at hand
  kRecordTownKanji,  // 町域名漢字: slot 8 (business: town and street)
  kRecordTownKana,   // 町域名カタカナ: slot 5
  kRecordCityKanji,  // 市区町村名漢字: slot 7
  kCompanyKanji,     // 会社名漢字: slot 16
  kCompanyKana,      // 会社名カタカナ: slot 15
  kPostalCode,       // 新郵便番号: slot 2
  kOldCode,          // 旧郵便番号: slot 1
  // Checkpoints and ends stand in the field column of `at` and `end` lines.
};

enum class Match : uint8_t {
  kNone,
  kEquals,
  kContains,
  kStartsWith,
  kAfterCommaEquals,  // the text after its first "、" equals
  kUnknown,           // made_for only: the wording is not known; the alternative never runs
};

// How a prefix such as "２丁目" passes from a part to the bare numbers after
// it (prefix_rule, checkpoint C). Two lists keep some parts out.
enum class PrefixRule : uint8_t {
  kUsual,
  kKeepPendingCandidate,   // a candidate with letters but no digit after them is neither kept nor lent
  kKeepShortWholeNumbers,  // a part of 3 or 5 (kana 3 or 7) characters that is all candidate stands alone
  kOff,                    // no part takes a prefix
};

// What follows an alternative that ran.
enum class End : uint8_t {
  kReturn,    // the record is finished
  kNextPart,  // the part loop goes on with the next part
  kGoOn,      // the general rules go on where the checkpoint stands
};

// A value is text with references in braces: {n} the number of a series
// (full width in a kanji field, half width in a kana field), {part} the part
// at hand, {part2} a part by its number, {siblings} and {town} the sibling
// list and the working town text, {town_after:線} the working town text after
// the first "線" without its last character (the closing bracket). A
// reference in a kana field reads the kana side.
enum class PieceKind : uint8_t { kText, kNumber, kPart, kPartAt, kSiblings, kTown, kTownAfter };

struct Piece {
  PieceKind kind;
  std::u16string_view text;  // the text, or the mark of {town_after:...}
  uint16_t part;             // {partN}: N
};

// Pieces [first, first + count) of the table's pieces.
struct Value {
  uint16_t first;
  uint16_t count;
};

struct Guard {
  Field field;
  Match match;
  std::u16string_view text;
};

struct Step {
  Action action;
  Field field;
  uint16_t part;  // part1, part2, ...: the number; else 0
  Value text;
  Value to;
  int32_t first;  // series: n from first to last
  int32_t last;
};

// One way an entry can run: its conditions, the wording it was made for, its
// steps and its end.
struct Alternative {
  uint16_t entry;
  Guard made_for;
  std::u16string_view note;  // the record it was made for
  uint16_t first_when, when_count;
  uint16_t first_step, step_count;
  End end;
  bool emits;
  uint32_t line;
};

struct Entry {
  std::u16string_view id;
  Checkpoint at;
  std::u16string_view code;      // 新郵便番号
  std::u16string_view old_code;  // 旧郵便番号, or empty
  // Why the entry is kept though it may fire on no current record (a wording
  // Japan Post no longer writes); empty when it is not so marked.
  std::u16string_view accepted_silent;
  uint16_t first_alternative, alternative_count;
  uint32_t line;
};

// The alternatives to try for a code, in table order; sorted by checkpoint,
// then code.
struct LookupItem {
  Checkpoint at;
  std::u16string_view code;
  uint16_t alternative;
};

struct Table {
  std::string_view file;
  std::span<const Entry> entries;
  std::span<const Alternative> alternatives;
  std::span<const Guard> whens;
  std::span<const Step> steps;
  std::span<const Piece> pieces;
  std::span<const LookupItem> lookup;
};

// --- Names, as the table files spell them --------------------------------

template <typename E>
struct Name {
  std::string_view name;  // as written in the table
  E value;
  std::string_view cpp;  // the enumerator, as the generator writes it
};

inline constexpr std::array<Name<Checkpoint>, kCheckpointCount> kCheckpointNames{{
    {"A", Checkpoint::kA, "kA"},
    {"B", Checkpoint::kB, "kB"},
    {"C", Checkpoint::kC, "kC"},
    {"D", Checkpoint::kD, "kD"},
    {"E", Checkpoint::kE, "kE"},
    {"F1", Checkpoint::kF1, "kF1"},
    {"F2", Checkpoint::kF2, "kF2"},
    {"F3", Checkpoint::kF3, "kF3"},
    {"F4", Checkpoint::kF4, "kF4"},
    {"F5", Checkpoint::kF5, "kF5"},
    {"F6", Checkpoint::kF6, "kF6"},
    {"case4", Checkpoint::kCase4, "kCase4"},
    {"case11", Checkpoint::kCase11, "kCase11"},
    {"case12", Checkpoint::kCase12, "kCase12"},
}};

inline constexpr std::array<Name<Action>, 23> kActionNames{{
    {"key", Action::kKey, "kKey"},
    {"at", Action::kAt, "kAt"},
    {"accepted_silent", Action::kAcceptedSilent, "kAcceptedSilent"},
    {"when", Action::kWhen, "kWhen"},
    {"made_for", Action::kMadeFor, "kMadeFor"},
    {"set", Action::kSet, "kSet"},
    {"append", Action::kAppend, "kAppend"},
    {"prefix", Action::kPrefix, "kPrefix"},
    {"replace", Action::kReplace, "kReplace"},
    {"cut_at", Action::kCutAt, "kCutAt"},
    {"add_town", Action::kAddTown, "kAddTown"},
    {"narrow", Action::kNarrow, "kNarrow"},
    {"bracket_to_comment", Action::kBracketToComment, "kBracketToComment"},
    {"comment_from_name", Action::kCommentFromName, "kCommentFromName"},
    {"series", Action::kSeries, "kSeries"},
    {"series_end", Action::kSeriesEnd, "kSeriesEnd"},
    {"each_part", Action::kEachPart, "kEachPart"},
    {"each_part_end", Action::kEachPartEnd, "kEachPartEnd"},
    {"emit", Action::kEmit, "kEmit"},
    {"end", Action::kEnd, "kEnd"},
    {"word_list_once", Action::kWordListOnce, "kWordListOnce"},
    {"prefix_rule", Action::kPrefixRule, "kPrefixRule"},
    {"narrow_floor", Action::kNarrowFloor, "kNarrowFloor"},
}};

// One part is named by its number: "part2", "part2_kana" ("#" below stands
// for the number); "part" alone is the part at hand, which a condition of the
// part loop looks at.
inline constexpr std::array<Name<Field>, 26> kFieldNames{{
    {"main", Field::kMain, "kMain"},
    {"main_kana", Field::kMainKana, "kMainKana"},
    {"sub", Field::kSub, "kSub"},
    {"sub_kana", Field::kSubKana, "kSubKana"},
    {"comment", Field::kComment, "kComment"},
    {"comment_kana", Field::kCommentKana, "kCommentKana"},
    {"tail", Field::kTail, "kTail"},
    {"tail_kana", Field::kTailKana, "kTailKana"},
    {"town", Field::kTown, "kTown"},
    {"town_kana", Field::kTownKana, "kTownKana"},
    {"siblings", Field::kSiblings, "kSiblings"},
    {"siblings_kana", Field::kSiblingsKana, "kSiblingsKana"},
    {"parts", Field::kParts, "kParts"},
    {"parts_kana", Field::kPartsKana, "kPartsKana"},
    {"part#", Field::kPart, "kPart"},
    {"part#_kana", Field::kPartKana, "kPartKana"},
    {"area_place", Field::kAreaPlace, "kAreaPlace"},
    {"area_place_kana", Field::kAreaPlaceKana, "kAreaPlaceKana"},
    {"part", Field::kCurrentPart, "kCurrentPart"},
    {"町域名漢字", Field::kRecordTownKanji, "kRecordTownKanji"},
    {"町域名カタカナ", Field::kRecordTownKana, "kRecordTownKana"},
    {"市区町村名漢字", Field::kRecordCityKanji, "kRecordCityKanji"},
    {"会社名漢字", Field::kCompanyKanji, "kCompanyKanji"},
    {"会社名カタカナ", Field::kCompanyKana, "kCompanyKana"},
    {"新郵便番号", Field::kPostalCode, "kPostalCode"},
    {"旧郵便番号", Field::kOldCode, "kOldCode"},
}};

inline constexpr std::array<Name<Match>, 5> kMatchNames{{
    {"equals", Match::kEquals, "kEquals"},
    {"contains", Match::kContains, "kContains"},
    {"starts_with", Match::kStartsWith, "kStartsWith"},
    {"after_comma_equals", Match::kAfterCommaEquals, "kAfterCommaEquals"},
    {"unknown", Match::kUnknown, "kUnknown"},
}};

inline constexpr std::array<Name<End>, 3> kEndNames{{
    {"return", End::kReturn, "kReturn"},
    {"next_part", End::kNextPart, "kNextPart"},
    {"go_on", End::kGoOn, "kGoOn"},
}};

inline constexpr std::array<Name<PrefixRule>, 3> kPrefixRuleNames{{
    {"keep_pending_candidate", PrefixRule::kKeepPendingCandidate, "kKeepPendingCandidate"},
    {"keep_short_whole_numbers", PrefixRule::kKeepShortWholeNumbers, "kKeepShortWholeNumbers"},
    {"off", PrefixRule::kOff, "kOff"},
}};

template <typename E, size_t N>
constexpr std::string_view NameOf(const std::array<Name<E>, N>& names, E value) {
  for (const auto& n : names) {
    if (n.value == value) return n.name;
  }
  return {};
}

// A field of the kana side: a value written into it reads the kana side of
// every reference, and numbers are half width.
constexpr bool IsKanaField(Field f) {
  switch (f) {
    case Field::kMainKana:
    case Field::kSubKana:
    case Field::kCommentKana:
    case Field::kTailKana:
    case Field::kTownKana:
    case Field::kSiblingsKana:
    case Field::kPartsKana:
    case Field::kPartKana:
    case Field::kAreaPlaceKana:
    case Field::kRecordTownKana:
    case Field::kCompanyKana: return true;
    default: return false;
  }
}

}  // namespace tessivar::correction
