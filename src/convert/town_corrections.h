#pragma once
// The town-area correction table: fixed corrections for irregular address
// records, each a row of data keyed by the postal code and tested at one
// checkpoint of the town-area rules. The rows live in
// tables/town_corrections.tsv (columns documented in tables/README.md).
//
// ex. checkpoint A, code 3812241, action fixed_records:
//   main=青木島町青木島;sub=乙９５６番地;main_kana=ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏ;sub_kana=ｵﾂ956ﾊﾞﾝﾁ
//   | main=青木島町青木島乙;sub=;comment=乙９５６番地;tail=を除く;...
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "convert/emit_interface.h"
#include "convert/zip_record.h"

namespace tessivar {

// Where an entry is tested: A to E between the general steps, F1 to F6 and
// the code rules of three cases inside the part loop.
enum class Checkpoint { kA, kB, kC, kD, kE, kF1, kF2, kF3, kF4, kF5, kF6, kCase4, kCase11, kCase12 };
inline constexpr size_t kCheckpointCount = 14;

// What the optional condition looks at.
enum class ConditionSubject {
  kNone,
  kTown,            // slot 8 as read
  kTownAfterComma,  // slot 8 after its first "、"
  kPart,            // the current kanji part of the part loop
};
enum class ConditionMatch { kContains, kStartsWith, kEquals };

// What happens after the action.
enum class CorrectionEnd {
  kReturn,    // the record is finished
  kNextPart,  // the part loop goes on with the next part
  kGoOn,      // the general rules go on where the checkpoint stands
};

// One record of a fixed list: the fields it sets, in the order main, sub,
// comment, tail, then the same four in kana. A field it leaves unset keeps
// the value of the record before it.
struct CorrectionRecord {
  std::array<std::optional<Text>, 8> fields;
};

// n = first .. last: the main name (or the sub-area) is prefix, n in full
// width and suffix; its kana prefix_kana, n in half width and suffix_kana.
struct NumberSeries {
  bool into_main = true;
  long first = 0;
  long last = -1;
  Text prefix, suffix, prefix_kana, suffix_kana;
};

struct TownCorrection {
  Checkpoint checkpoint = Checkpoint::kA;
  Text code;      // slot 2 must equal it
  Text old_code;  // when not empty, slot 1 must equal it too (the 地割 table)
  ConditionSubject subject = ConditionSubject::kNone;
  ConditionMatch match = ConditionMatch::kContains;
  Text text;
  // The action: a number series (if any), then the fixed records in order.
  std::optional<NumberSeries> series;
  std::vector<CorrectionRecord> records;
  CorrectionEnd ends = CorrectionEnd::kReturn;

  bool Matches(TextView old_code_slot, TextView town_slot, TextView part) const;
};

// One row as the table file holds it.
inline constexpr size_t kTownCorrectionColumns = 9;
using TownCorrectionRow = std::array<std::u16string_view, kTownCorrectionColumns>;

class TownCorrections {
 public:
  // Throws RuleError naming the row when a cell cannot be understood.
  explicit TownCorrections(std::span<const TownCorrectionRow> rows);
  // The table built into the program.
  static const TownCorrections& Shipped();

  // The first entry of the checkpoint, in table order, whose key and
  // condition hold for the record (and the current part); null when none.
  const TownCorrection* Find(Checkpoint checkpoint, const std::vector<Text>& zip_rec, TextView part) const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<TownCorrection> entries_;
  // Per checkpoint, (code, entry index) sorted by code, table order kept.
  std::array<std::vector<std::pair<Text, size_t>>, kCheckpointCount> by_code_;
};

// Decodes one row; throws RuleError describing the bad cell.
TownCorrection DecodeTownCorrection(const TownCorrectionRow& row);

// Tests the checkpoint for rec (and the current part); a matching entry sets
// the emission values and hands its records to the emitter, and its end is
// returned (none when nothing matched).
std::optional<CorrectionEnd> ConsultCorrections(const TownCorrections& corrections, Checkpoint checkpoint,
                                                const ZipRecord& rec, EmissionValues& values,
                                                RecordEmitter& emitter, TextView part = {});

}  // namespace tessivar
