#include "review_file.h"

#include <sstream>

#include "text/cp932.h"

namespace tessivar::review {

using namespace correction;

namespace {

// Does the record read as the alternative was made for? Conditions on the
// part at hand cannot be told from the record and are left out.
bool MadeFor(const Table& table, const Alternative& alt, const ZipRecord& rec) {
  const Entry& entry = table.entries[alt.entry];
  if (rec[kPostalCode] != entry.code) return false;
  if (!entry.old_code.empty() && rec[kOldCode] != entry.old_code) return false;
  auto passes = [&](const Guard& guard) {
    switch (guard.field) {
      case Field::kRecordTownKanji: return Passes(guard, rec[kTownKanji]);
      case Field::kCompanyKanji: return Passes(guard, rec[kCompanyKanji]);
      default: return true;
    }
  };
  for (const Guard& when : table.whens.subspan(alt.first_when, alt.when_count)) {
    if (!passes(when)) return false;
  }
  return alt.made_for.match != Match::kUnknown && passes(alt.made_for);
}

void Lines(std::ostringstream& out, const char* title, const std::vector<Text>& lines) {
  out << title << "\n";
  for (const Text& line : lines) out << "  " << U8(line) << "\n";
}

class Writer {
 public:
  Writer(const Table& table, FileKind kind, const std::vector<Source>& sources,
         const std::vector<MonthFirings>& firings, const Tables& shipped, std::vector<std::string>& faults)
      : table_(table), kind_(kind), firings_(firings), shipped_(shipped), faults_(faults) {
    std::set<Text> codes;
    for (const Entry& entry : table.entries) codes.insert(Text(entry.code));
    for (const Source& source : sources) {
      if (std::filesystem::exists(source.file))
        records_.push_back({source.name, ReadRecords(source.file, kind, source.utf8, codes)});
    }
  }

  std::string Write() {
    const bool town = kind_ == FileKind::kAddresses;
    out_ << "# " << table_.file << ": for every entry, the record(s) it was made for and what the converter\n"
         << "# writes for them alone. Word list: \"123-4567\" form, no prefecture, no blank, the business "
            "file\n"
         << "# present. CSV: "
         << (town ? "新郵便番号, 町域名漢字, 町域名カタカナ, コメント漢字, コメントカナ."
                  : "新郵便番号, 市区町村名漢字, 町域名漢字, コメント漢字, 会社名カタカナ, 会社名漢字.")
         << "\n# Made by `cmake --build build --target correction-review`; a test checks it is current.\n";
    for (const Entry& entry : table_.entries) {
      out_ << "\n== " << U8(entry.id);
      if (town) out_ << "  at " << NameOf(kCheckpointNames, entry.at) << ", " << U8(entry.code);
      if (!entry.old_code.empty()) out_ << " (旧郵便番号 " << U8(entry.old_code) << ")";
      out_ << ", line " << entry.line << "\n";
      if (!entry.accepted_silent.empty()) out_ << "accepted silent: " << U8(entry.accepted_silent) << "\n";
      for (size_t i = 0; i < entry.alternative_count; ++i)
        WriteAlternative(entry.first_alternative + i, i + 1);
    }
    return out_.str();
  }

 private:
  void WriteAlternative(size_t index, size_t number) {
    const Alternative& alt = table_.alternatives[index];
    const Entry& entry = table_.entries[alt.entry];
    if (entry.alternative_count > 1) out_ << "-- alternative " << number << ", line " << alt.line << "\n";
    for (const Guard& when : table_.whens.subspan(alt.first_when, alt.when_count))
      out_ << "when: " << GuardText(when) << "\n";
    out_ << "made for: " << GuardText(alt.made_for) << "\n"
         << "note: " << U8(alt.note) << "\n"
         << "fires:";
    for (const MonthFirings& month : firings_)
      out_ << " " << month.month << " " << month.by_alternative[index];
    out_ << "\n";
    if (alt.made_for.match == Match::kUnknown) {
      out_ << "(made for a wording that is not known: it never runs)\n";
      return;
    }
    // The records of the first source that has the wording; the others
    // that have it are named.
    std::vector<SourceRecord> chosen;
    std::string chosen_from, found_in;
    for (const auto& [name, records] : records_) {
      std::vector<SourceRecord> made_for;
      for (const SourceRecord& r : records) {
        if (MadeFor(table_, alt, r.rec)) made_for.push_back(r);
      }
      if (made_for.empty()) continue;
      found_in += (found_in.empty() ? "" : ", ") + name;
      if (chosen.empty()) {
        chosen = std::move(made_for);
        chosen_from = name;
      }
    }
    if (chosen.empty()) {
      out_ << "(no record of this wording in the months or the fixture: add one to the fixture)\n";
      if (entry.accepted_silent.empty())
        Fault(alt.line, "no record of the bundled months or the fixture is made so (" +
                            GuardText(alt.made_for) +
                            "): a typo in the wording, the key or a condition? Add the record of an older "
                            "wording to the fixture, or mark the entry accepted_silent with the reason");
      return;
    }
    std::vector<Text> input;
    for (const SourceRecord& r : chosen) input.insert(input.end(), r.lines.begin(), r.lines.end());
    out_ << "found in: " << found_in << "\n";
    Lines(out_, ("input (" + chosen_from + "):").c_str(), input);
    const bool town = kind_ == FileKind::kAddresses;
    if (FiresOn(input, index) == 0)
      Fault(alt.line, "the alternative does not fire on the record(s) of its own wording (" + chosen_from +
                          "): its checkpoint or a condition does not fit them");
    Converted words = ConvertLines(input, kind_, Purpose::kWordList, {}, shipped_);
    Converted csv = ConvertLines(input, kind_, Purpose::kCsv, town ? kTownFields : kBusinessFields, shipped_);
    Lines(out_, "word list:", words.lines);
    Lines(out_, "csv:", csv.lines);
    for (const auto& message : words.messages) out_ << "message (word list): " << message << "\n";
    for (const auto& message : csv.messages) out_ << "message (csv): " << message << "\n";
  }

  void Fault(uint32_t line, const std::string& reason) {
    faults_.push_back(std::string(table_.file) + ":" + std::to_string(line) + ": " + reason);
  }

  // How often the alternative of index fires when the input lines are
  // converted alone, with this table counting.
  long FiresOn(const std::vector<Text>& input, size_t index) const {
    std::vector<long> counts(table_.alternatives.size(), 0);
    Corrections counting(table_);
    counting.CountFirings(&counts);
    auto chosen = [&](const Corrections& shipped) -> const Corrections& {
      return &shipped.table() == &table_ ? counting : shipped;
    };
    const Tables tables{chosen(shipped_.town), chosen(shipped_.business_word_list),
                        chosen(shipped_.business)};
    ConvertLines(input, kind_, Purpose::kWordList, {}, tables);
    return counts[index];
  }

  const Table& table_;
  FileKind kind_;
  const std::vector<MonthFirings>& firings_;
  const Tables& shipped_;
  std::vector<std::string>& faults_;
  std::vector<std::pair<std::string, std::vector<SourceRecord>>> records_;
  std::ostringstream out_;
};

}  // namespace

std::string ReviewText(const Table& table, FileKind kind, const std::vector<Source>& sources,
                       const std::vector<MonthFirings>& firings, const Tables& shipped,
                       std::vector<std::string>& faults) {
  return Writer(table, kind, sources, firings, shipped, faults).Write();
}

std::string FiringReport(const Table& table, const std::vector<MonthFirings>& firings) {
  std::ostringstream out;
  for (const MonthFirings& month : firings) {
    size_t firing = 0;
    std::string silent;
    for (const Entry& entry : table.entries) {
      long count = 0;
      for (size_t i = 0; i < entry.alternative_count; ++i)
        count += month.by_alternative[entry.first_alternative + i];
      if (count > 0) {
        ++firing;
      } else {
        silent += " " + U8(entry.id);
      }
    }
    out << table.file << ", " << month.month << ": " << firing << " of " << table.entries.size()
        << " entries fire";
    if (!silent.empty()) out << "; not:" << silent;
    out << "\n";
  }
  return out.str();
}

}  // namespace tessivar::review
