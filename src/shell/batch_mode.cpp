#include "shell/batch_mode.h"

#include <charconv>
#include <ostream>

#include "dialogs/batch_dialogs.h"
#include "shell/home_setup.h"
#include "shell/start_handler.h"
#include "shell/startup.h"
#include "text/cp932.h"

namespace tessivar {

const char kBatchUsage[] =
    "usage: Tessivar [--home DIR]\n"
    "       Tessivar --batch [--home DIR] --purpose ime|mdb|csv\n"
    "                [--hyphen | --no-hyphen] [--with-prefecture] [--with-blank]\n"
    "                [--ime-target ms-ime|mozc] [--column-names] [--field-set NAME]\n"
    "                [--prefectures all | CODE[,CODE...]] [--no-changes] [--threads N]\n"
    "                [--yes] [--poll-ms N]\n"
    "       Tessivar --version\n"
    "\n"
    "Without --batch, Tessivar opens its windows (they need a display).\n"
    "Converts the Japan Post files in DIR/CSV_IN into DIR/CSV_OUT: ime the word list\n"
    "ZIP.TXT, csv the CSV text ZIPDATA.CSV, mdb the search database MDB_OUT/torvask.mdb.\n"
    "DIR is the program's folder when it is writable, else (installed from the package)\n"
    "Tessivar in your documents folder, such as ~/Documents/Tessivar; it is made with\n"
    "what it needs at the first start.\n"
    "The word list is for the Microsoft IME (--ime-target ms-ime, the default) or for\n"
    "Mozc (--ime-target mozc: ASCII readings).\n"
    "Replacing an output of the same options, ime and csv also write the lines added and\n"
    "removed since (ZIP_追加.TXT, ZIP_削除.TXT, ZIPDATA_追加.CSV, ...) and 変更一覧.CSV;\n"
    "--no-changes leaves them out.\n"
    "--threads 2 reads and decodes the inputs ahead in a second thread (1, the default: one).\n"
    "Every message is printed; questions are answered Yes with --yes, No without it.\n"
    "Exit status: 0 done; 1 start-up stopped, run refused (also while another run is in\n"
    "progress), an input unreadable, an output not written whole, or build failed;\n"
    "2 bad arguments.\n";

namespace {

bool ParseInt(const std::string& text, int& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParsePrefectures(const std::string& text, std::vector<int>& codes) {
  if (text == "all") return true;
  size_t from = 0;
  while (from <= text.size()) {
    size_t comma = text.find(',', from);
    std::string piece = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    int code = 0;
    if (!ParseInt(piece, code) || code < kFirstPrefecture || code > kLastPrefecture) return false;
    codes.push_back(code);
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return !codes.empty();
}

// Applies the command line to the window's controls, where the window would
// let the user change them.
bool ApplyOptions(const BatchArguments& args, MainWindowModel& form, std::string& error) {
  form.SelectPurpose(args.purpose);
  if (args.hyphen) {
    if (!form.Opt_形式[0].enabled) {
      error = "--hyphen and --no-hyphen do not apply to the database purpose";
      return false;
    }
    MainWindowModel::Select(form.Opt_形式, *args.hyphen ? 1 : 0);
  }
  if ((args.with_prefecture || args.with_blank) && !form.Opt_県名[0].enabled) {
    error = "--with-prefecture and --with-blank apply to the word list (--purpose ime) only";
    return false;
  }
  if (args.with_prefecture) MainWindowModel::Select(form.Opt_県名, 1);
  if (args.with_blank) MainWindowModel::Select(form.Opt_空白, 1);
  if (args.ime_target) {
    if (!form.Opt_取込先[0].enabled) {
      error = "--ime-target applies to the word list (--purpose ime) only";
      return false;
    }
    MainWindowModel::Select(form.Opt_取込先, *args.ime_target == ImeTarget::kMozc ? 1 : 0);
  }
  if ((args.column_names || args.field_set) && !form.Opt_列名.enabled) {
    error = "--column-names and --field-set apply to the CSV text (--purpose csv) only";
    return false;
  }
  if (args.no_changes && form.SelectedPurpose() == Purpose::kDatabase) {
    error = "--no-changes applies to the word list and the CSV text (--purpose ime or csv) only";
    return false;
  }
  if (args.column_names) form.Opt_列名.value = true;
  if (args.field_set) {
    const std::u16string wanted = text::FromUtf8(*args.field_set);
    auto& list = form.List出力設定F;
    list.selected = -1;
    for (size_t i = 0; i < list.names.size(); ++i) {
      if (list.names[i] == wanted) list.selected = static_cast<int>(i);
    }
    if (list.selected < 0) {
      error = "no field set named \"" + *args.field_set + "\" in Tessivar.ini";
      return false;
    }
  }
  if (args.prefectures) {
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
      auto& box = form.Chk_県名[static_cast<size_t>(code)];
      if (!box.enabled) continue;  // only the boxes start-up enabled count
      bool listed = args.prefectures->empty();
      for (int wanted : *args.prefectures) listed = listed || wanted == code;
      box.value = listed;
    }
  }
  return true;
}

}  // namespace

std::optional<BatchArguments> ParseBatchArguments(const std::vector<std::string>& args, std::string& error) {
  BatchArguments parsed;
  bool batch = false;
  std::string batch_only;  // the first option that only the batch mode takes
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (batch_only.empty() && a != "--batch" && a != "--help" && a != "--version" && a != "--home")
      batch_only = a;
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--batch") {
      batch = true;
    } else if (a == "--help") {
      parsed.help = true;
    } else if (a == "--version") {
      parsed.version = true;
    } else if (a == "--home") {
      if (!value(v)) return std::nullopt;
      parsed.home = v;
    } else if (a == "--purpose") {
      if (!value(v)) return std::nullopt;
      if (v == "ime")
        parsed.purpose = 0;
      else if (v == "mdb")
        parsed.purpose = 1;
      else if (v == "csv")
        parsed.purpose = 2;
      else {
        error = "unknown purpose \"" + v + "\" (ime, mdb or csv)";
        return std::nullopt;
      }
    } else if (a == "--hyphen" || a == "--no-hyphen") {
      if (parsed.hyphen) {
        error = "--hyphen and --no-hyphen exclude each other";
        return std::nullopt;
      }
      parsed.hyphen = a == "--hyphen";
    } else if (a == "--with-prefecture") {
      parsed.with_prefecture = true;
    } else if (a == "--with-blank") {
      parsed.with_blank = true;
    } else if (a == "--ime-target") {
      if (!value(v)) return std::nullopt;
      if (v == "ms-ime")
        parsed.ime_target = ImeTarget::kMsIme;
      else if (v == "mozc")
        parsed.ime_target = ImeTarget::kMozc;
      else {
        error = "unknown --ime-target \"" + v + "\" (ms-ime or mozc)";
        return std::nullopt;
      }
    } else if (a == "--column-names") {
      parsed.column_names = true;
    } else if (a == "--field-set") {
      if (!value(v)) return std::nullopt;
      parsed.field_set = v;
    } else if (a == "--prefectures") {
      if (!value(v)) return std::nullopt;
      std::vector<int> codes;
      if (!ParsePrefectures(v, codes)) {
        error = "--prefectures takes \"all\" or prefecture codes 1 to 47 separated by commas";
        return std::nullopt;
      }
      parsed.prefectures = codes;
    } else if (a == "--no-changes") {
      parsed.no_changes = true;
    } else if (a == "--threads") {
      if (!value(v)) return std::nullopt;
      if (!ParseInt(v, parsed.threads) || parsed.threads < 1) {
        error = "--threads takes a number of threads, at least 1";
        return std::nullopt;
      }
    } else if (a == "--yes") {
      parsed.yes = true;
    } else if (a == "--poll-ms") {
      if (!value(v)) return std::nullopt;
      if (!ParseInt(v, parsed.poll_ms) || parsed.poll_ms < kLeastPollMs) {
        error = "--poll-ms takes a number of milliseconds, at least " + std::to_string(kLeastPollMs);
        return std::nullopt;
      }
    } else {
      error = "unknown argument \"" + a + "\"";
      return std::nullopt;
    }
  }
  if (parsed.help || parsed.version) return parsed;
  if (!batch) {
    if (!batch_only.empty()) {
      error = batch_only + " applies to --batch only";
      return std::nullopt;
    }
    parsed.windows = true;
    return parsed;
  }
  if (parsed.purpose < 0) {
    error = "--purpose is required";
    return std::nullopt;
  }
  return parsed;
}

int RunBatch(const BatchArguments& args, const places::ProgramFiles& files, std::ostream& out,
             std::ostream& err) {
  BatchDialogs dialogs(out, args.yes);
  Application app(args.home, dialogs);
  UseProgramFiles(app, files);
  app.builder_poll_ms = args.poll_ms;
  app.write_changes = !args.no_changes;
  app.read_ahead = args.threads > 1;
  if (!RunStartup(app)) return 1;
  std::string error;
  if (!ApplyOptions(args, app.G_MainForm, error)) {
    err << "Tessivar: " << error << "\n";
    return 2;
  }
  return Btn_作成開始_Click(app) == RunResult::kCompleted ? 0 : 1;
}

}  // namespace tessivar
