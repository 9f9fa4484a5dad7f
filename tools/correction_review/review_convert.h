#pragma once
// The converter as the review uses it: reading the records of some codes
// from a Japan Post file (with the lines each was read from), and converting
// a few records alone, or a whole file while the tables count what fires.
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "convert/context/run_options.h"
#include "convert/corrections/corrections.h"

namespace tessivar::review {

enum class FileKind { kAddresses, kBusiness };  // KEN_ALL.CSV, JIGYOSYO.CSV

// One record as the reader joins it, and the input lines it came from.
struct SourceRecord {
  ZipRecord rec;
  std::vector<Text> lines;
};

// The records of file whose postal code is among codes. The file is code
// page 932 unless utf8 is set (the review's fixtures).
std::vector<SourceRecord> ReadRecords(const std::filesystem::path& file, FileKind kind, bool utf8,
                                      const std::set<Text>& codes);

// What one conversion wrote: the lines (without the word list's header) and
// the messages it reported.
struct Converted {
  std::vector<Text> lines;
  std::vector<std::string> messages;
};

// The tables a conversion consults; the review passes counting copies.
struct Tables {
  const Corrections& town;
  const Corrections& business_word_list;
  const Corrections& business;
};

// Converts the given input lines alone, as a run of purpose does: the word
// list in the "123-4567" form with the business-office file present, or the
// CSV text with the fields (catalogue numbers) given.
Converted ConvertLines(const std::vector<Text>& lines, FileKind kind, Purpose purpose,
                       const std::vector<Text>& fields, const Tables& tables);

// Converts a whole file for the word list, only to let the tables count.
void ConvertFile(const std::filesystem::path& file, FileKind kind, const Tables& tables);

// The CSV fields the review writes, by catalogue number: the code, the town
// (for business offices the city too), the readings, the comments and the
// names, separated by commas.
extern const std::vector<Text> kTownFields;
extern const std::vector<Text> kBusinessFields;
// The fields of one such CSV line, unquoted.
std::vector<Text> CsvFields(TextView line);

// One record of a month as the converter reads and writes it: the record as
// the reader handed it on, where it begins, and the lines the word list and
// the CSV text (the review's fields) write for it.
struct MonthRecord {
  FileKind kind;
  ZipRecord rec;
  std::string file;
  long line;
  std::vector<Text> words;
  std::vector<Text> csv;
};

// Converts every record of the month in folder, found as start-up finds the
// files of CSV_IN (unpacked or zipped, KEN_ALL.CSV, utf_ken_all.csv or the
// per-prefecture files, and JIGYOSYO.CSV), for the word list and the CSV
// text side by side, and hands each record to on_record. The names of the
// files read and every message of start-up and of the run go to report.
// Throws when the folder holds no address file, or a file cannot be read.
void ConvertMonth(const std::filesystem::path& folder, const Tables& tables,
                  const std::function<void(const MonthRecord&)>& on_record, std::vector<std::string>& report);

// Text as UTF-8, for the review's files and reports.
std::string U8(TextView text);
// A guard as the review writes it: the field, the match and its text.
std::string GuardText(const correction::Guard& guard);

}  // namespace tessivar::review
