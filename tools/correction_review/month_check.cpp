#include "month_check.h"

#include <map>
#include <sstream>

#include "convert/business/business_edit.h"
#include "convert/town_area/town_corrections.h"
#include "irregular_words.h"
#include "review_convert.h"
#include "text/cp932.h"

namespace tessivar::review {

using namespace correction;

namespace {

// A shipped table under check, through a copy that counts what fires. It
// stays where it was made: the copy counts into the vector beside it.
struct CheckedTable {
  CheckedTable(const Corrections& shipped, FileKind file_kind) : counting(shipped.table()), kind(file_kind) {
    counts.assign(shipped.table().alternatives.size(), 0);
    counting.CountFirings(&counts);
  }
  CheckedTable(const CheckedTable&) = delete;
  CheckedTable& operator=(const CheckedTable&) = delete;

  const Table& table() const { return counting.table(); }
  long Firings(const Entry& entry) const {
    long sum = 0;
    for (size_t i = 0; i < entry.alternative_count; ++i) sum += counts[entry.first_alternative + i];
    return sum;
  }

  Corrections counting;
  std::vector<long> counts;
  FileKind kind;
};

// The irregularities of what an address record's lines write: its words and
// its CSV town and reading, each named.
std::vector<std::string> Irregularities(const MonthRecord& record, Ranges ranges) {
  std::vector<std::string> found;
  auto add = [&](const std::string& what, const std::vector<std::string>& reasons) {
    for (const std::string& reason : reasons) {
      std::string line = what + ": " + reason;
      if (std::find(found.begin(), found.end(), line) == found.end()) found.push_back(line);
    }
  };
  for (const Text& line : record.words) {
    const std::vector<Text> columns = Split(line, u"\t");
    if (columns.size() > 1) add("word \"" + U8(columns[1]) + "\"", WordIrregularities(columns[1], ranges));
  }
  for (const Text& line : record.csv) {
    const std::vector<Text> fields = CsvFields(line);  // code, town, reading, comments
    if (fields.size() < 3) continue;
    add("CSV town \"" + U8(fields[1]) + "\"", TownIrregularities(fields[1], ranges));
    add("CSV reading \"" + U8(fields[2]) + "\"", ReadingIrregularities(fields[2]));
  }
  return found;
}

void RecordLines(std::ostringstream& out, const MonthRecord& record) {
  for (const Text& line : record.words) out << "    " << U8(line) << "\n";
  for (const Text& line : record.csv) out << "    " << U8(line) << "\n";
}

std::string Where(const MonthRecord& record) { return record.file + " line " + std::to_string(record.line); }

class MonthReview {
 public:
  explicit MonthReview(const std::filesystem::path& folder) : folder_(folder) {}

  MonthCheck Run() {
    for (const CheckedTable* checked : {&town_, &business_, &business_word_list_}) {
      for (const Entry& entry : checked->table().entries) codes_[checked->kind].insert(Text(entry.code));
    }
    const Tables tables{town_.counting, business_word_list_.counting, business_.counting};
    std::vector<std::string> report;
    ConvertMonth(
        folder_, tables, [&](const MonthRecord& record) { Take(record); }, report);

    std::ostringstream out;
    out << "# Month check of " << folder_.string() << ", made by `correction_review --month`:\n"
        << "# the entries and business-office rows that fire on no record of the month, beside the records\n"
        << "# at their codes now; then the address records the rules leave irregular; the counts last.\n"
        << "# Word list: \"123-4567\" form, no prefecture, no blank. CSV: as in the tables' review files.\n";
    for (const std::string& line : report) out << "# " << line << "\n";
    long silent = 0, accepted = 0, firing = 0;
    out << "\n== Entries and rows that do not fire\n";
    for (const CheckedTable* checked : {&town_, &business_, &business_word_list_}) {
      for (const Entry& entry : checked->table().entries) {
        if (checked->Firings(entry) > 0) {
          ++firing;
          continue;
        }
        ++silent;
        accepted += !entry.accepted_silent.empty();
        Silent(out, *checked, entry);
      }
    }
    out << "\n== Address records the rules leave irregular\n";
    for (const auto& [record, reasons] : irregular_) {
      out << "\n-- " << Where(record) << ": " << U8(record.rec[kPostalCode]) << " "
          << U8(record.rec[kCityKanji]) << " " << U8(record.rec[kTownKanji]) << "\n";
      for (const std::string& reason : reasons) out << "  " << reason << "\n";
      RecordLines(out, record);
    }
    const long not_accepted = silent - accepted;
    out << "\n"
        << "entries and rows: " << firing << " fire, " << silent << " silent (" << accepted
        << " accepted_silent, " << not_accepted << " not); irregular address records: " << irregular_.size()
        << "\n";
    return {out.str(), not_accepted == 0 && irregular_.empty()};
  }

 private:
  void Take(const MonthRecord& record) {
    if (record.kind == FileKind::kAddresses) {
      if (std::vector<std::string> reasons = Irregularities(record, Ranges::kButLotNumbers); !reasons.empty())
        irregular_.emplace_back(record, std::move(reasons));
    }
    if (codes_[record.kind].contains(record.rec[kPostalCode]))
      at_codes_[record.rec[kPostalCode]].push_back(record);
  }

  // A silent entry: what it was made for, what its code holds now and what
  // the rules write there, and whether it is kept silent on purpose.
  void Silent(std::ostringstream& out, const CheckedTable& checked, const Entry& entry) const {
    const Table& table = checked.table();
    const bool town = checked.kind == FileKind::kAddresses;
    out << "\n-- " << table.file << ":" << entry.line << "  " << U8(entry.id);
    if (town) out << "  at " << NameOf(kCheckpointNames, entry.at) << ", " << U8(entry.code);
    out << "\n";
    for (const Alternative& alt :
         table.alternatives.subspan(entry.first_alternative, entry.alternative_count))
      out << "made for:   " << GuardText(alt.made_for) << "\n";
    std::vector<std::string> irregular;
    const auto records = at_codes_.find(Text(entry.code));
    if (records == at_codes_.end()) out << "now:        no record of the code\n";
    for (const MonthRecord& record :
         records == at_codes_.end() ? std::vector<MonthRecord>() : records->second) {
      if (record.kind != checked.kind) continue;
      out << "now:        "
          << (town ? U8(record.rec[kTownKanji])
                   : U8(record.rec[kCompanyKanji]) + " / " + U8(record.rec[kTownKanji]))
          << "  (" << Where(record) << ")\n";
      RecordLines(out, record);
      // At a code whose entry went silent every range counts: the entry
      // may have been made to keep one out of the words. An office's word
      // is looked at for its length (a row may have been made to shorten it).
      if (town) {
        for (std::string& reason : Irregularities(record, Ranges::kAll))
          irregular.push_back(std::move(reason));
      } else {
        for (const Text& line : record.words) {
          const std::vector<Text> columns = Split(line, u"\t");
          if (columns.size() < 2) continue;
          for (const std::string& reason : LengthIrregularities(columns[1]))
            irregular.push_back("word \"" + U8(columns[1]) + "\": " + reason);
        }
      }
    }
    for (const std::string& reason : irregular) out << "irregular now: " << reason << "\n";
    if (!entry.accepted_silent.empty()) {
      out << "accepted_silent: " << U8(entry.accepted_silent) << "\n";
    } else {
      out << "not accepted: give it an alternative for the wording of now, or mark it accepted_silent with "
             "the reason it is kept\n";
    }
  }

  std::filesystem::path folder_;
  CheckedTable town_{ShippedTownCorrections(), FileKind::kAddresses};
  CheckedTable business_{ShippedBusinessFixRows(), FileKind::kBusiness};
  CheckedTable business_word_list_{ShippedBusinessFixImeRows(), FileKind::kBusiness};
  std::map<FileKind, std::set<Text>> codes_;
  std::map<Text, std::vector<MonthRecord>> at_codes_;
  std::vector<std::pair<MonthRecord, std::vector<std::string>>> irregular_;
};

}  // namespace

MonthCheck CheckMonth(const std::filesystem::path& folder) { return MonthReview(folder).Run(); }

}  // namespace tessivar::review
