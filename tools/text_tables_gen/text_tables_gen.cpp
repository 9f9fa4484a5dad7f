// Asks ICU once, at build time, what the text layer would otherwise ask it
// for every character of every run: the code page 932 form of each character
// (ICU's "windows-31j" converter, as text::Cp932 uses it) and what the
// "Fullwidth-Halfwidth" and "Halfwidth-Fullwidth" transliterators make of each
// character standing alone. The tables are written as C++ arrays, and the
// programs do not load ICU at all: where the converter's behaviour is more
// than a table can say, this checks it is what the text layer assumes.
//
// usage: text_tables_gen CP932_OUTPUT.inc WIDTH_OUTPUT.inc
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kInvalid = 0xFFFF;     // no character (decoding), no bytes (encoding)
constexpr uint16_t kLeadByte = 0xFFFE;    // a byte alone: it begins a two-byte character
constexpr uint16_t kTrailAgain = 0xFFFE;  // a pair: no character, and its second byte begins the next
constexpr uint16_t kNothing = 0xFFFE;     // a character written as no bytes at all

struct Converter {
  Converter() {
    UErrorCode status = U_ZERO_ERROR;
    cnv = ucnv_open("windows-31j", &status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no windows-31j converter");
    ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(cnv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }
  ~Converter() { ucnv_close(cnv); }
  UConverter* cnv;
};

std::runtime_error Unexpected(const char* what, unsigned value) {
  char hex[16];
  std::snprintf(hex, sizeof hex, " %04X", value);
  return std::runtime_error(std::string("windows-31j converter: ") + what + hex);
}

// What the converter makes of bytes (one or two) from its first state, as the
// text layer calls it: the one UTF-16 unit they are; for a lone byte that only
// begins a character, kLeadByte; for bytes that are no character, kInvalid
// when the converter takes them all as the bad sequence, kTrailAgain when it
// takes only the first (the second then begins the next character). Anything
// else the text layer's tables could not say is an error.
uint16_t DecodeOne(UConverter* cnv, const char* bytes, size_t size) {
  ucnv_resetToUnicode(cnv);
  UChar out[4];
  UChar* target = out;
  const char* source = bytes;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(cnv, &target, out + 4, &source, bytes + size, nullptr, true, &status);
  const auto code = static_cast<unsigned>(static_cast<unsigned char>(bytes[0]) << 8 |
                                          (size == 2 ? static_cast<unsigned char>(bytes[1]) : 0));
  if (U_FAILURE(status)) {
    if (target != out) throw Unexpected("wrote part of a bad sequence", code);
    if (size == 1 && source == bytes + 1) return status == U_TRUNCATED_CHAR_FOUND ? kLeadByte : kInvalid;
    if (size == 2 && source == bytes + 2) return kInvalid;
    if (size == 2 && source == bytes + 1) return kTrailAgain;
    throw Unexpected("took an unexpected part of a bad sequence", code);
  }
  if (source != bytes + size || target - out != 1) throw Unexpected("decodes to other than one unit", code);
  if (out[0] == kInvalid || out[0] == kLeadByte) throw Unexpected("decodes to a noncharacter", code);
  return out[0];
}

// The code page 932 bytes of c as one number (a lead byte in the high half
// for two bytes); kInvalid when c has none, kNothing when the converter
// writes it as nothing (a soft hyphen).
uint16_t EncodeOne(UConverter* cnv, char16_t c) {
  ucnv_resetFromUnicode(cnv);
  const UChar in[1] = {c};
  const UChar* source = in;
  char out[8];
  char* target = out;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(cnv, &target, out + sizeof out, &source, in + 1, nullptr, true, &status);
  if (U_FAILURE(status)) {
    if (target != out || source != in + 1) throw Unexpected("failed on a character unusually", c);
    return kInvalid;
  }
  const auto byte = [&](int i) { return static_cast<uint16_t>(static_cast<unsigned char>(out[i])); };
  if (target == out) return kNothing;
  if (target - out == 1) return byte(0);
  if (target - out == 2 && byte(0) >= 0x80) return static_cast<uint16_t>(byte(0) << 8 | byte(1));
  throw Unexpected("encodes to other than one or two bytes", c);
}

// The characters beyond the BMP the converter writes as nothing (format
// characters), as ranges of first and last; it fails on every other one: none
// has a form here.
std::vector<uint32_t> SupplementaryWrittenAsNothing(UConverter* cnv) {
  std::vector<uint32_t> ranges;
  for (UChar32 c = 0x10000; c <= 0x10FFFF; ++c) {
    ucnv_resetFromUnicode(cnv);
    const UChar in[2] = {U16_LEAD(c), U16_TRAIL(c)};
    const UChar* source = in;
    char out[8];
    char* target = out;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(cnv, &target, out + sizeof out, &source, in + 2, nullptr, true, &status);
    if (target != out || source != in + 2 || (U_FAILURE(status) && status != U_INVALID_CHAR_FOUND))
      throw Unexpected("has a form for a character beyond the BMP", static_cast<unsigned>(c));
    if (U_FAILURE(status)) continue;
    const auto code_point = static_cast<uint32_t>(c);
    if (!ranges.empty() && ranges.back() + 1 == code_point) {
      ranges.back() = code_point;
    } else {
      ranges.push_back(code_point);
      ranges.push_back(code_point);
    }
  }
  return ranges;
}

// The code of c when its bytes decode back to c alone, kInvalid otherwise:
// the main encoding table holds only such characters, so that a line encoded
// by it alone reads back as it was written (the word list looks for a line it
// wrote in the file). The others (a few) are listed apart.
uint16_t RoundTripCode(UConverter* cnv, char16_t c) {
  const uint16_t code = EncodeOne(cnv, c);
  if (code == kInvalid || code == kNothing) return kInvalid;
  const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  const bool two = code > 0xFF;
  return DecodeOne(cnv, two ? bytes : bytes + 1, two ? 2 : 1) == c ? code : kInvalid;
}

void WriteArray(std::ostream& out, const std::vector<uint16_t>& values) {
  char hex[8];
  for (size_t i = 0; i < values.size(); ++i) {
    std::snprintf(hex, sizeof hex, "0x%04X,", values[i]);
    out << hex << ((i + 1) % 12 == 0 ? "\n" : "");
  }
  out << "\n";
}

// Encoding by pages of 256 characters: pages with no character at all are
// one shared page of kInvalid.
void WriteCp932Tables(std::ostream& out) {
  Converter converter;
  std::vector<uint16_t> single(256);
  std::vector<uint16_t> lead_row(256, 0);
  std::vector<uint16_t> rows;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    single[static_cast<size_t>(b)] = DecodeOne(converter.cnv, &byte, 1);
    if (single[static_cast<size_t>(b)] != kLeadByte) continue;
    lead_row[static_cast<size_t>(b)] = static_cast<uint16_t>(rows.size() / 256);
    for (int t = 0; t < 256; ++t) {
      const char pair[2] = {byte, static_cast<char>(t)};
      rows.push_back(DecodeOne(converter.cnv, pair, 2));
    }
  }
  std::vector<uint16_t> page_of(256, 0);
  std::vector<uint16_t> pages(256, kInvalid);  // page 0: nothing encodable
  std::vector<uint16_t> one_way;               // character, code: bytes that read back as another
  for (int page = 0; page < 256; ++page) {
    std::vector<uint16_t> codes(256, kInvalid);
    bool any = false;
    for (int low = 0; low < 256; ++low) {
      const auto c = static_cast<char16_t>(page << 8 | low);
      if (c >= 0xD800 && c <= 0xDFFF) continue;  // half a character: the text layer's own rules
      codes[static_cast<size_t>(low)] = RoundTripCode(converter.cnv, c);
      any |= codes[static_cast<size_t>(low)] != kInvalid;
      const uint16_t code = EncodeOne(converter.cnv, c);
      if (codes[static_cast<size_t>(low)] == kInvalid && code != kInvalid) {
        one_way.push_back(c);
        one_way.push_back(code);
      }
    }
    if (!any) continue;
    page_of[static_cast<size_t>(page)] = static_cast<uint16_t>(pages.size() / 256);
    pages.insert(pages.end(), codes.begin(), codes.end());
  }
  const std::vector<uint32_t> nothing = SupplementaryWrittenAsNothing(converter.cnv);
  out << "// Generated by text_tables_gen from ICU's windows-31j converter: do not edit.\n"
      << "// Decoding: a byte alone (0xFFFE: it begins two, 0xFFFF: no character), and\n"
      << "// the rows of the two-byte characters by lead byte (0xFFFF: no character,\n"
      << "// 0xFFFE: no character, and the second byte begins the next).\n"
      << "inline constexpr uint16_t kCp932Single[256] = {\n";
  WriteArray(out, single);
  out << "};\ninline constexpr uint16_t kCp932LeadRow[256] = {\n";
  WriteArray(out, lead_row);
  out << "};\ninline constexpr uint16_t kCp932Rows[" << rows.size() << "] = {\n";
  WriteArray(out, rows);
  out << "};\n// Encoding: the page of each 256 characters, then the pages (bytes as one\n"
      << "// number, a lead byte in the high half; 0xFFFF: no code page 932 form).\n"
      << "inline constexpr uint16_t kCp932PageOf[256] = {\n";
  WriteArray(out, page_of);
  out << "};\ninline constexpr uint16_t kCp932Pages[" << pages.size() << "] = {\n";
  WriteArray(out, pages);
  out << "};\n// The characters whose bytes read back as another character: character,\n"
      << "// code (0xFFFE: no bytes), in character order.\n"
      << "inline constexpr size_t kCp932OneWayCount = " << one_way.size() / 2 << ";\n"
      << "inline constexpr uint16_t kCp932OneWay[" << one_way.size() << "] = {\n";
  WriteArray(out, one_way);
  out << "};\n// The characters beyond the BMP written as nothing, as ranges (first, last):\n"
      << "// the converter has no bytes for any other.\n"
      << "inline constexpr size_t kCp932SupplementaryNothingCount = " << nothing.size() / 2 << ";\n"
      << "inline constexpr uint32_t kCp932SupplementaryNothing[" << nothing.size() << "] = {\n";
  for (size_t i = 0; i < nothing.size(); ++i)
    out << "0x" << std::hex << std::uppercase << nothing[i] << std::dec << ((i + 1) % 2 ? ", " : ",\n");
  out << "};\n";
}

// What t makes of each character it may change, standing alone, and of the
// two characters it makes one: asked in one call over all of them, separated
// by line feeds so that no character can see another.
void WriteWidthTable(std::ostream& out, const char* id, const std::string& name) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> t(
      icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status));
  if (U_FAILURE(status) || !t) throw std::runtime_error(std::string("ICU has no transliterator ") + id);
  icu::UnicodeSet changeable;
  t->getSourceSet(changeable);
  std::vector<char16_t> asked;
  icu::UnicodeString all;
  for (int32_t range = 0; range < changeable.getRangeCount(); ++range) {
    for (UChar32 c = changeable.getRangeStart(range); c <= changeable.getRangeEnd(range) && c < 0x10000;
         ++c) {
      if (c == u'\n' || (c >= 0xD800 && c <= 0xDFFF)) continue;
      asked.push_back(static_cast<char16_t>(c));
      all.append(static_cast<UChar>(c));
      all.append(u'\n');
    }
  }
  t->transliterate(all);
  std::map<char16_t, std::u16string> changed;
  int32_t pos = 0;
  for (char16_t c : asked) {
    const int32_t end = all.indexOf(u'\n', pos);
    if (end < 0) throw std::runtime_error("width table: transliteration lost a separator");
    std::u16string result(reinterpret_cast<const char16_t*>(all.getBuffer()) + pos,
                          static_cast<size_t>(end - pos));
    if (result != std::u16string(1, c)) changed[c] = result;
    pos = end + 1;
  }
  // Two characters the transliterator makes one (a half-width kana and its
  // sound mark): every two of the characters it may change, asked the same way.
  icu::UnicodeString twos;
  for (char16_t first : asked) {
    for (char16_t second : asked) {
      twos.append(static_cast<UChar>(first)).append(static_cast<UChar>(second)).append(u'\n');
    }
  }
  t->transliterate(twos);
  std::vector<uint16_t> pairs;  // first, second, what they become
  pos = 0;
  for (char16_t first : asked) {
    for (char16_t second : asked) {
      const int32_t end = twos.indexOf(u'\n', pos);
      if (end < 0) throw std::runtime_error("width table: transliteration lost a separator");
      const std::u16string result(reinterpret_cast<const char16_t*>(twos.getBuffer()) + pos,
                                  static_cast<size_t>(end - pos));
      pos = end + 1;
      const auto alone = [&](char16_t c) {
        const auto found = changed.find(c);
        return found == changed.end() ? std::u16string(1, c) : found->second;
      };
      if (result == alone(first) + alone(second)) continue;
      if (result.size() != 1)
        throw std::runtime_error(std::string(id) + " makes two characters into two others");
      pairs.insert(pairs.end(), {first, second, result[0]});
    }
  }
  // Pairs of (character, what it becomes), in character order; the texts of
  // more than one character (voiced kana) in one pool, by offset and length.
  std::vector<uint16_t> singles, multis;
  std::u16string pool;
  for (const auto& [c, result] : changed) {
    if (result.size() == 1) {
      singles.push_back(c);
      singles.push_back(result[0]);
    } else {
      multis.push_back(c);
      multis.push_back(static_cast<uint16_t>(pool.size()));
      multis.push_back(static_cast<uint16_t>(result.size()));
      pool += result;
    }
  }
  // Each array ends in a 0 that is no entry, so that none is empty.
  const auto write = [&](const std::string& what, const std::vector<uint16_t>& values, size_t count) {
    out << "inline constexpr size_t k" << name << what << "Count = " << count << ";\n"
        << "inline constexpr uint16_t k" << name << what << "[" << values.size() + 1 << "] = {\n";
    std::vector<uint16_t> ended(values);
    ended.push_back(0);
    WriteArray(out, ended);
    out << "};\n";
  };
  out << "// Generated by text_tables_gen from ICU's " << id << " transliterator: do not edit.\n";
  write("Singles", singles, singles.size() / 2);
  write("Multis", multis, multis.size() / 3);
  write("Pool", std::vector<uint16_t>(pool.begin(), pool.end()), pool.size());
  write("Pairs", pairs, pairs.size() / 3);
}

bool WriteFile(const char* path, const std::string& content) {
  std::ofstream file(path, std::ios::binary);
  file << content;
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: text_tables_gen CP932_OUTPUT.inc WIDTH_OUTPUT.inc\n";
    return 2;
  }
  try {
    std::ostringstream cp932, width;
    WriteCp932Tables(cp932);
    WriteWidthTable(width, "Fullwidth-Halfwidth", "Narrow");
    WriteWidthTable(width, "Halfwidth-Fullwidth", "Widen");
    if (!WriteFile(argv[1], cp932.str()) || !WriteFile(argv[2], width.str())) {
      std::cerr << "text_tables_gen: cannot write the tables\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "text_tables_gen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
