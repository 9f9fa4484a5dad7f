// Every form in which Japan Post publishes a file gives the reader the same
// records as the unpacked code-page-932 file: the zips of both months, and
// the UTF-8 address file, unpacked and zipped; so does the address file after
// a second conversion of its line ends (CR CR LF). Checked on the whole files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "convert/read/read_input_lines.h"
#include "reader_test_support.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

struct FormCase {
  const char* name;
  const char* month;    // "" for 2026-05, "2025-08"
  int index;            // the input role: the layout the reader uses
  InputFile reference;  // unpacked in the build's data folder
  InputFile form;       // in the bundled zips' folder when zipped, else beside the reference
  long records;
};

void PrintTo(const FormCase& c, std::ostream* out) { *out << c.name; }

// Each record as one text, its slots separated by a character no slot holds.
std::vector<Text> ReadRecords(const fs::path& folder, const InputFile& file, int index,
                              const std::vector<std::string>& expected_messages = {}) {
  std::string error;
  const auto input = OpenInputLines(folder, file, error);
  EXPECT_NE(input, nullptr) << error;
  std::vector<Text> records;
  if (!input) return records;
  const auto messages = testing::ReadRecords(*input, index, [&](ZipRecord& rec) {
    Text joined;
    for (const Text& slot : rec) joined += slot + u'\n';
    records.push_back(std::move(joined));
  });
  EXPECT_EQ(messages, expected_messages) << file.name;
  return records;
}

class PublishedForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(PublishedForms, GiveTheRecordsOfTheUnpackedCodePage932File) {
  const FormCase& c = GetParam();
  const auto expected = ReadRecords(fs::path(JAPANPOST_DIR) / c.month, c.reference, c.index);
  const fs::path folder = fs::path(c.form.zipped() ? JAPANPOST_ZIP_DIR : JAPANPOST_DIR) / c.month;
  const auto records = ReadRecords(folder, c.form, c.index);
  EXPECT_EQ(expected.size(), static_cast<size_t>(c.records));
  ASSERT_EQ(records.size(), expected.size());
  int differences = 0;
  for (size_t i = 0; i < records.size() && differences < 5; ++i) {
    if (records[i] != expected[i]) {
      ++differences;
      ADD_FAILURE() << "record " << i + 1 << ":\n"
                    << ToUtf8(records[i]) << "expected:\n"
                    << ToUtf8(expected[i]);
    }
  }
}

const InputFile kKenAll{"KEN_ALL.CSV", "", false};
const InputFile kJigyosyo{"JIGYOSYO.CSV", "", false};

// Each line end CR LF made CR CR LF, as a second conversion of line ends does:
// a blank line after every line, and multi-line records cut apart by them
// unless blank lines are taken for nothing.
TEST(CrCrLfLineEnds, GiveTheRecordsOfTheAddressFile) {
  const fs::path folder = fs::temp_directory_path() / ("cr_cr_lf_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ifstream in(fs::path(JAPANPOST_DIR) / "KEN_ALL.CSV", std::ios::binary);
  std::ofstream out(folder / "KEN_ALL.CSV", std::ios::binary);
  long lines = 0;
  for (std::string line; std::getline(in, line); ++lines) out << line << "\r\n";  // line keeps its CR
  out.close();
  const auto expected = ReadRecords(fs::path(JAPANPOST_DIR), kKenAll, kAllPrefecturesIndex);
  const auto records = ReadRecords(
      folder, kKenAll, kAllPrefecturesIndex,
      {"KEN_ALL.CSV の空の行 " + std::to_string(lines) + " 行（最初は 2 行目）は読み飛ばしました。"});
  fs::remove_all(folder);
  EXPECT_EQ(lines, 124825);
  EXPECT_TRUE(records == expected) << records.size() << " records, expected " << expected.size();
}

INSTANTIATE_TEST_SUITE_P(
    RealData, PublishedForms,
    ::testing::Values(
        FormCase{"Utf8AddressFile", "", kAllPrefecturesIndex, kKenAll, {"utf_ken_all.csv", "", true}, 124511},
        FormCase{"Utf8AddressFileZipped",
                 "",
                 kAllPrefecturesIndex,
                 kKenAll,
                 {"utf_ken_all.zip", "utf_ken_all.csv", true},
                 124511},
        FormCase{"AddressFileZipped",
                 "",
                 kAllPrefecturesIndex,
                 kKenAll,
                 {"ken_all.zip", "KEN_ALL.CSV", false},
                 124511},
        FormCase{"BusinessFileZipped",
                 "",
                 kBusinessIndex,
                 kJigyosyo,
                 {"jigyosyo.zip", "JIGYOSYO.CSV", false},
                 22416},
        FormCase{"EarlierMonthAddressFileZipped",
                 "2025-08",
                 kAllPrefecturesIndex,
                 kKenAll,
                 {"ken_all.zip", "KEN_ALL.CSV", false},
                 124486},
        FormCase{"EarlierMonthBusinessFileZipped",
                 "2025-08",
                 kBusinessIndex,
                 kJigyosyo,
                 {"jigyosyo.zip", "JIGYOSYO.CSV", false},
                 22429}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar
