#include "builder/data_file.h"

#include "builder/csv_values.h"

namespace morvane {

namespace {

// The UTF-8 form of text, into a buffer reused line after line; a lone
// surrogate becomes U+FFFD, as in text::ToUtf8.
void Utf8Into(std::u16string_view text, std::string& out) {
  out.resize(text.size() * 3);  // no UTF-16 unit takes more than 3 bytes
  char* p = out.data();
  const auto put = [&p](char32_t byte) { *p++ = static_cast<char>(byte); };
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      put(c);
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      const bool pair = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      c = pair ? 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
    }
    if (c < 0x800) {
      put(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      put(0xE0 | (c >> 12));
      put(0x80 | ((c >> 6) & 0x3F));
    } else {
      put(0xF0 | (c >> 18));
      put(0x80 | ((c >> 12) & 0x3F));
      put(0x80 | ((c >> 6) & 0x3F));
    }
    put(0x80 | (c & 0x3F));
  }
  out.resize(static_cast<size_t>(p - out.data()));
}

}  // namespace

CsvDataFile::CsvDataFile(const std::filesystem::path& file) : file_(file) {
  if (!reader_.Open(file)) throw EngineError(kErrImport, reader_.error());
}

bool CsvDataFile::Next() {
  if (!reader_.Next(line16_)) return false;
  if (!reader_.error().empty()) throw EngineError(kErrImport, reader_.error());
  Utf8Into(line16_, line_);
  if (!SplitCsvLine(line_, values_)) throw EngineError(kErrImport, Where() + "引用符が閉じていません。");
  return true;
}

const std::vector<std::string_view>& CsvDataFile::Header() {
  if (!Next()) throw EngineError(kErrImport, file_.filename().string() + " に見出し行がありません。");
  return values_;
}

std::string CsvDataFile::Where() const { return Where(reader_.line_number()); }

std::string CsvDataFile::Where(long line) const {
  return file_.filename().string() + " の " + std::to_string(line) + " 行目: ";
}

void LoadRows(Database& db, const std::string& table, CsvDataFile& data, const RowLayout& layout) {
  db.Begin();
  try {
    Database::Inserter inserter(db, table, layout.columns);
    Database::Rows rows(layout.columns.size());
    std::vector<long> lines;  // of the rows waiting
    // The rows waiting go in; a fault of one of them comes before any fault
    // found on a later line.
    const auto insert = [&] {
      try {
        inserter.Insert(rows);
      } catch (const Database::RowError& e) {
        throw EngineError(e.number(), data.Where(lines.at(e.row())) + e.what());
      }
      rows.Clear();
      lines.clear();
    };
    while (true) {
      bool more = false;
      try {
        more = data.Next();
      } catch (const EngineError&) {
        insert();
        throw;
      }
      if (!more) break;
      if (data.line().empty()) continue;
      const auto& values = data.values();
      if (values.size() > layout.column_of_value.size()) {
        insert();
        throw EngineError(kErrImport,
                          data.Where() + "値が " + std::to_string(values.size()) + " 個あり、見出しの " +
                              std::to_string(layout.column_of_value.size()) + " 個より多くなっています。");
      }
      rows.Add();
      for (size_t i = 0; i < values.size(); ++i) {
        if (const auto value = CsvValue(values[i])) rows.Set(layout.column_of_value[i], *value);
      }
      lines.push_back(data.line_number());
      if (rows.count() == inserter.batch_rows()) insert();
    }
    insert();
  } catch (...) {
    db.Rollback();
    throw;
  }
  db.Commit();
}

}  // namespace morvane
