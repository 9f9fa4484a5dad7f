// correction_review: writes the review file of every correction table (the
// records each entry was made for and what the converter writes for them)
// into TABLES_DIR, or with --check tells whether the files there are
// current and the tables hold no entry made for a record nobody has; prints
// which entries fire on each bundled month. With --month it checks a month
// of Japan Post's data for a maintainer (month_check.h).
//
// usage: correction_review DATA_DIR TABLES_DIR [--check]
//          DATA_DIR    the unpacked Japan Post data: KEN_ALL.CSV, JIGYOSYO.CSV and 2025-08/
//          TABLES_DIR  src/convert/tables: the tables' review files and fixtures
//        correction_review --month DIR [REVIEW_FILE]
//          DIR          a month's KEN_ALL.CSV and JIGYOSYO.CSV, unpacked or as downloaded
//          REVIEW_FILE  where the review goes (default month_check.txt); it is printed too
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "convert/business/business_edit.h"
#include "convert/town_area/town_area.h"
#include "convert/town_area/town_corrections.h"
#include "month_check.h"
#include "review_file.h"

namespace {

namespace fs = std::filesystem;
using namespace tessivar;
using namespace tessivar::review;

struct Month {
  std::string name;
  fs::path folder;
};

// One table, its review file and where its records come from.
struct TableReview {
  const Corrections& shipped;
  FileKind kind;
  std::string review_file;
  std::string input_file;    // KEN_ALL.CSV or JIGYOSYO.CSV
  std::string fixture_file;  // records of wordings in no month
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first line where two texts differ, counted from 1.
size_t FirstDifference(const std::string& a, const std::string& b) {
  size_t line = 1;
  for (size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i) line += a[i] == '\n';
  return line;
}

const char* const kUsage =
    "usage: correction_review DATA_DIR TABLES_DIR [--check]\n"
    "       correction_review --month DIR [REVIEW_FILE]\n";

// The month's review, printed and written whole to file, which it replaces
// only when it is an earlier month check: a file of any other kind is left
// alone.
int MonthMode(const fs::path& folder, const fs::path& file) {
  const std::string kFirstWords = "# Month check of ";
  if (fs::exists(file) && ReadFile(file).rfind(kFirstWords, 0) != 0) {
    std::cerr << "correction_review: " << file.string() << " is no month check; it is left as it is\n";
    return 2;
  }
  const MonthCheck check = CheckMonth(folder);
  std::cout << check.text;
  const fs::path partial = file.string() + ".partial-" + std::to_string(getpid());
  {
    std::ofstream out(partial, std::ios::binary);
    out << check.text;
    out.close();
    if (!out) {
      fs::remove(partial);
      throw std::runtime_error(partial.string() + ": cannot be written");
    }
  }
  fs::rename(partial, file);
  std::cout << "written: " << file.string() << "\n";
  return check.clean ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--month") {
    if (argc < 3 || argc > 4) {
      std::cerr << kUsage;
      return 2;
    }
    try {
      return MonthMode(argv[2], argc == 4 ? fs::path(argv[3]) : fs::path("month_check.txt"));
    } catch (const std::exception& e) {
      std::cerr << "correction_review: " << e.what() << "\n";
      return 2;
    }
  }
  if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--check")) {
    std::cerr << kUsage;
    return 2;
  }
  const fs::path data = argv[1], tables_dir = argv[2];
  const bool check = argc == 4;
  const std::vector<Month> months = {{"2026-05", data}, {"2025-08", data / "2025-08"}};
  const std::vector<TableReview> reviews = {
      {ShippedTownCorrections(), FileKind::kAddresses, "town_corrections.review.txt", "KEN_ALL.CSV",
       "review_fixture_KEN_ALL.csv"},
      {ShippedBusinessFixRows(), FileKind::kBusiness, "business_fix_rows.review.txt", "JIGYOSYO.CSV",
       "review_fixture_JIGYOSYO.csv"},
      {ShippedBusinessFixImeRows(), FileKind::kBusiness, "business_fix_ime_rows.review.txt", "JIGYOSYO.CSV",
       "review_fixture_JIGYOSYO.csv"},
  };
  const Tables shipped{ShippedTownCorrections(), ShippedBusinessFixImeRows(), ShippedBusinessFixRows()};

  try {
    // Every month converted whole, with copies of the tables that count
    // what fires.
    std::vector<std::vector<MonthFirings>> firings(reviews.size());
    for (const Month& month : months) {
      std::vector<std::vector<long>> counts(reviews.size());
      std::vector<Corrections> counting;
      counting.reserve(reviews.size());
      for (size_t i = 0; i < reviews.size(); ++i) {
        counts[i].assign(reviews[i].shipped.table().alternatives.size(), 0);
        counting.emplace_back(reviews[i].shipped.table());
        counting.back().CountFirings(&counts[i]);
      }
      const Tables tables{counting[0], counting[2], counting[1]};
      ConvertFile(month.folder / "KEN_ALL.CSV", FileKind::kAddresses, tables);
      ConvertFile(month.folder / "JIGYOSYO.CSV", FileKind::kBusiness, tables);
      for (size_t i = 0; i < reviews.size(); ++i) firings[i].push_back({month.name, counts[i]});
    }

    bool current = true;
    std::vector<std::string> faults;
    for (size_t i = 0; i < reviews.size(); ++i) {
      const TableReview& review = reviews[i];
      std::vector<Source> sources;
      for (const Month& month : months)
        sources.push_back({month.name, month.folder / review.input_file, false});
      sources.push_back({"fixture " + review.fixture_file, tables_dir / review.fixture_file, true});
      const std::string text =
          ReviewText(review.shipped.table(), review.kind, sources, firings[i], shipped, faults);
      const fs::path path = tables_dir / review.review_file;
      std::cout << FiringReport(review.shipped.table(), firings[i]);
      if (!check) {
        std::ofstream(path, std::ios::binary) << text;
      } else if (const std::string committed = ReadFile(path); committed != text) {
        std::cout << path.string() << ": not current from line " << FirstDifference(committed, text)
                  << " on; run `cmake --build build --target correction-review` and review the difference\n";
        current = false;
      }
    }
    // The table's own lines are the place to mend a fault: each is named
    // as the generator names its faults, and fails the check.
    for (const std::string& fault : faults) std::cout << fault << "\n";
    return current && faults.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "correction_review: " << e.what() << "\n";
    return 1;
  }
}
