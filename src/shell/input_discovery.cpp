#include "shell/input_discovery.h"

#include <array>
#include <optional>

#include "convert/context/run_options.h"
#include "text/cp932.h"
#include "text/file_names.h"
#include "text/strings.h"
#include "text/zip_entry.h"

namespace tessivar {

namespace {

// A file of the input folder that may take an input role.
struct Candidate {
  InputFile file;  // as the run opens it; file.entry is filled in once the zip is checked
  int index = 0;   // the input role: G_InputIndex
  bool zipped = false;
  std::string inner;  // for a zip, the file Japan Post puts inside it

  const std::string& name() const { return file.name; }
  // Lower is preferred: unpacked before zipped, code page 932 before UTF-8.
  int rank() const { return (file.utf8 ? 2 : 0) + (zipped ? 1 : 0); }
};

// The number the first two characters of a file name form (digits of either
// width, blanks around them allowed), or -1 when they form none.
int LeadingCode(const std::string& name) {
  try {
    return static_cast<int>(text::ToNumber(text::Left(text::FromUtf8(name), 2)));
  } catch (const text::RuleError&) {
    return -1;
  }
}

// The role a name gives a file of the listing ("*.csv" or "*.zip"), if any.
std::optional<Candidate> ClassifyName(const std::string& name) {
  const std::string upper = text::UpperAscii(name);
  const size_t dot = upper.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string stem = upper.substr(0, dot);
  Candidate c;
  c.file.name = name;
  c.zipped = upper.substr(dot) == ".ZIP";
  if (stem == "KEN_ALL") {
    c.index = kAllPrefecturesIndex;
  } else if (stem == "UTF_KEN_ALL") {
    c.index = kAllPrefecturesIndex;
    c.file.utf8 = true;
  } else if (stem == "JIGYOSYO") {
    c.index = kBusinessIndex;
  } else if (int code = LeadingCode(name); code >= kFirstPrefecture && code <= kLastPrefecture) {
    c.index = code;
  } else {
    return std::nullopt;
  }
  if (c.zipped) c.inner = c.file.utf8 ? "utf_ken_all.csv" : stem + ".CSV";
  return c;
}

// How a message names a zip that cannot take its role, and what it says is
// done with it.
struct ZipWording {
  std::string subject;
  std::string_view after_broken;
  std::string_view after_missing_file;
};

// Looks into a zip for the file it should hold. Reports it and returns false
// when it cannot be read or holds no such file.
bool FindInnerFile(const std::filesystem::path& zip, Candidate& c, Dialogs& dialogs, const ZipWording& said) {
  const text::ZipEntryLookup found = text::FindZipEntry(zip, c.inner);
  if (!found.error.empty()) {
    const char* const unreadable =
        found.library_missing ? " は 読めません (" : " は 壊れているため読めません (";
    dialogs.Message(said.subject + unreadable + found.error + ")。" + std::string(said.after_broken));
    return false;
  }
  if (found.entry.empty()) {
    dialogs.Message(said.subject + " に " + c.inner + " がありません。" +
                    std::string(said.after_missing_file));
    return false;
  }
  c.file.entry = found.entry;
  return true;
}

std::string JoinNames(const std::vector<const Candidate*>& candidates) {
  std::string names;
  for (const Candidate* c : candidates) names += (names.empty() ? "" : "、") + c->name();
  return names;
}

// The candidate one role reads; says which files of other forms it leaves.
const Candidate& Choose(const std::vector<Candidate>& candidates, Dialogs& dialogs) {
  const Candidate* chosen = &candidates.front();
  for (const Candidate& c : candidates) {
    if (c.rank() <= chosen->rank()) chosen = &c;  // the later of one form replaces the earlier
  }
  std::vector<const Candidate*> left;
  for (const Candidate& c : candidates) {
    if (c.rank() != chosen->rank()) left.push_back(&c);
  }
  if (!left.empty()) {
    dialogs.Message("CSV_IN に " + chosen->name() + " と " + JoinNames(left) + " があります。" +
                    chosen->name() + " を読み、" + JoinNames(left) + " は読みません。");
  }
  return *chosen;
}

}  // namespace

int ClassifyInputFiles(InputFiles& in, const std::vector<std::string>& listing, Dialogs& dialogs) {
  std::array<std::vector<Candidate>, kInputIndexes> by_role;
  for (const auto& name : listing) {
    std::optional<Candidate> c = ClassifyName(name);
    if (c && (!c->zipped || FindInnerFile(in.in_folder / name, *c, dialogs,
                                          {"CSV_IN の " + name, "", "この zip は読みません。"})))
      by_role[static_cast<size_t>(c->index)].push_back(std::move(*c));
  }

  in.has_ken_all = in.has_jigyosyo = in.has_pref_files = false;
  for (int index = 0; index < kInputIndexes; ++index) {
    const auto& candidates = by_role[static_cast<size_t>(index)];
    if (candidates.empty()) continue;
    in.files[static_cast<size_t>(index)] = Choose(candidates, dialogs).file;
    if (index == kAllPrefecturesIndex) {
      in.has_ken_all = true;
    } else if (index == kBusinessIndex) {
      in.has_jigyosyo = true;
    } else {
      in.has_pref_files = true;
    }
  }
  return static_cast<int>(by_role[kAllPrefecturesIndex].size());
}

int InputRoleOfName(const std::string& name) {
  const std::string upper = text::UpperAscii(name);
  const bool listed = text::WildcardMatch(upper, "*.CSV") || text::WildcardMatch(upper, "*.ZIP");
  const std::optional<Candidate> c = listed ? ClassifyName(name) : std::nullopt;
  return c ? c->index : -1;
}

bool CheckZipToAdd(const std::filesystem::path& path, Dialogs& dialogs) {
  std::optional<Candidate> c = ClassifyName(path.filename().string());
  constexpr std::string_view kNotCopied = "この zip は CSV_IN にコピーしません。";
  return !c || !c->zipped || FindInnerFile(path, *c, dialogs, {path.string(), kNotCopied, kNotCopied});
}

}  // namespace tessivar
