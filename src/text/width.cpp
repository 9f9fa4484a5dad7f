#include "text/width.h"

#include <unicode/translit.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace text {

namespace {

// Transliterators are not safe for concurrent use; one lock covers both.
std::mutex& IcuLock() {
  static std::mutex lock;
  return lock;
}

icu::Transliterator& Transliterator(const char* id) {
  UErrorCode status = U_ZERO_ERROR;
  auto* t = icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status);
  if (U_FAILURE(status) || !t) throw std::runtime_error(std::string("ICU has no transliterator ") + id);
  return *t;  // lives for the whole program, like the tables built from it
}

icu::Transliterator& NarrowTransliterator() {
  static icu::Transliterator& t = Transliterator("Fullwidth-Halfwidth");
  return t;
}

icu::Transliterator& WidenTransliterator() {
  static icu::Transliterator& t = Transliterator("Halfwidth-Fullwidth");
  return t;
}

std::u16string RunIcu(icu::Transliterator& t, std::u16string_view text) {
  icu::UnicodeString s(reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()));
  {
    std::lock_guard<std::mutex> guard(IcuLock());
    t.transliterate(s);
  }
  return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()), static_cast<size_t>(s.length()));
}

// What the transliterator makes of each BMP character standing alone. Only
// the characters it may change (its source set, a few hundred) are asked, with
// one call over all of them, separated by line feeds so that no character can
// see its neighbour; every other character stays as it is.
class CharTable {
 public:
  explicit CharTable(icu::Transliterator& t) {
    for (char32_t c = 0; c < 0x10000; ++c) single_[c] = static_cast<char16_t>(c);
    icu::UnicodeSet changeable;
    t.getSourceSet(changeable);
    std::vector<char16_t> asked;
    std::u16string all;
    for (int32_t range = 0; range < changeable.getRangeCount(); ++range) {
      for (UChar32 c = changeable.getRangeStart(range); c <= changeable.getRangeEnd(range) && c < 0x10000;
           ++c) {
        if (!IsSeparable(static_cast<char32_t>(c))) continue;
        asked.push_back(static_cast<char16_t>(c));
        all.push_back(static_cast<char16_t>(c));
        all.push_back(u'\n');
      }
    }
    std::u16string done = RunIcu(t, all);
    size_t pos = 0;
    for (char16_t c : asked) {
      size_t end = done.find(u'\n', pos);
      if (end == std::u16string::npos)
        throw std::runtime_error("width table: transliteration lost a separator");
      std::u16string_view result(done.data() + pos, end - pos);
      if (result.size() == 1) {
        single_[c] = result[0];
      } else {
        single_[c] = 0;
        multi_.emplace_back(c, std::u16string(result));
      }
      pos = end + 1;
    }
  }

  // Kept small, so that it is inlined into the loops over whole texts.
  void Append(char16_t c, std::u16string& out) const {
    const char16_t single = single_[c];
    if (single != 0 || c == 0) {
      out.push_back(single);
    } else {
      AppendMulti(c, out);
    }
  }

 private:
  // The voiced kana of every reading come here. multi_ is built in character
  // order (the source set's ranges ascend), so sorted.
  void AppendMulti(char16_t c, std::u16string& out) const {
    const auto found =
        std::lower_bound(multi_.begin(), multi_.end(), c,
                         [](const auto& entry, char16_t wanted) { return entry.first < wanted; });
    if (found != multi_.end() && found->first == c) out.append(found->second);
  }

  static bool IsSeparable(char32_t c) { return c != u'\n' && (c < 0xD800 || c > 0xDFFF); }

  std::array<char16_t, 0x10000> single_{};
  std::vector<std::pair<char16_t, std::u16string>> multi_;
};

const CharTable& NarrowTable() {
  static const auto* table = new CharTable(NarrowTransliterator());
  return *table;
}

const CharTable& WidenTable() {
  static const auto* table = new CharTable(WidenTransliterator());
  return *table;
}

bool IsSoundMark(char16_t c) { return c == u'ﾞ' || c == u'ﾟ'; }

}  // namespace

std::u16string Narrow(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + 4);
  AppendNarrow(text, out);
  return out;
}

void AppendNarrow(std::u16string_view text, std::u16string& out) {
  const CharTable& table = NarrowTable();
  for (char16_t c : text) table.Append(c, out);
}

std::u16string Widen(std::u16string_view text) {
  // Half-width sound marks combine with the kana before them; leave such
  // text to the transliterator itself.
  for (char16_t c : text) {
    if (IsSoundMark(c)) return WidenByIcu(text);
  }
  const CharTable& table = WidenTable();
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) table.Append(c, out);
  return out;
}

std::u16string NarrowByIcu(std::u16string_view text) { return RunIcu(NarrowTransliterator(), text); }
std::u16string WidenByIcu(std::u16string_view text) { return RunIcu(WidenTransliterator(), text); }

}  // namespace text
