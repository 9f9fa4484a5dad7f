#include "shell/home_setup.h"

#include <cstdint>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <system_error>

#include "handoff/builder_files.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace tessivar {

namespace {

namespace fs = std::filesystem;

using Hashes = std::map<std::string, std::string>;  // file name: hash of the content copied

// FNV-1a of a file's bytes, in hexadecimal; empty when it cannot be read.
std::string ContentHash(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (char c; in.get(c);) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
  std::ostringstream hex;
  hex << std::hex << std::setw(16) << std::setfill('0') << hash;
  return hex.str();
}

Hashes ReadCopiedNote(const fs::path& path) {
  Hashes hashes;
  std::ifstream in(path);
  std::string hash, name;
  while (in >> hash && std::getline(in >> std::ws, name)) hashes[name] = hash;
  return hashes;
}

bool WriteCopiedNote(const fs::path& path, const Hashes& hashes, std::error_code& ec) {
  std::string note;
  for (const auto& [name, hash] : hashes) note += hash + ' ' + name + '\n';
  text::TextFileWriter out;
  if (out.Open(path) && out.WriteBytes(note) && out.Close()) return true;
  ec = std::make_error_code(std::errc::io_error);
  return false;
}

class HomeMaker {
 public:
  explicit HomeMaker(Dialogs& dialogs) : dialogs_(dialogs) {}

  void Folder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::create_directories(folder, ec) && ec)
      Report(folder.string() + " を作成できません: " + ec.message());
  }

  bool Copy(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (text::CopyWhole(from, to, ec)) return true;
    Report(from.string() + " を " + to.string() + " へコピーできません: " + ec.message());
    return false;
  }

  void CopyIfMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(text::OnDisk(to), ec))) Copy(from, to);
  }

  void UpdateDefinitionFiles(const fs::path& shipped_folder, const fs::path& folder) {
    const fs::path note = folder / kCopiedNoteFile;
    Hashes copied = ReadCopiedNote(note);
    const Hashes before = copied;
    std::error_code ec, ignored;
    for (const auto& entry : fs::directory_iterator(shipped_folder, ec)) {
      if (!entry.is_regular_file(ignored)) continue;
      const std::string name = entry.path().filename().string();
      const fs::path target = folder / name;
      const std::string shipped = ContentHash(entry.path());
      const bool missing = !fs::exists(fs::symlink_status(target, ignored));
      const std::string current = missing ? std::string() : ContentHash(target);
      if (!missing && current == shipped) {
        copied[name] = shipped;
      } else if (missing || (copied.count(name) && copied[name] == current)) {
        if (Copy(entry.path(), target)) copied[name] = shipped;
      }  // else: the user's own version stays
    }
    if (ec) Report(shipped_folder.string() + " を読めません: " + ec.message());
    std::error_code write_error;
    if (copied != before && !WriteCopiedNote(note, copied, write_error))
      Report(note.string() + " に書き込めません: " + write_error.message());
  }

 private:
  void Report(const std::string& message) { dialogs_.Message(message); }
  Dialogs& dialogs_;
};

}  // namespace

void UseProgramFiles(Application& app, const places::ProgramFiles& files) {
  app.builder_program = files.builder_program;
  if (!places::IsProgramFolder(files, app.program_folder)) app.home_source = files;
}

void PrepareHome(Application& app) {
  if (!app.home_source) return;
  const fs::path& home = app.program_folder;
  const fs::path builder = handoff::BuilderFolder(home);
  HomeMaker maker(app.dialogs);
  for (const fs::path& folder : {home / "CSV_IN", home / "CSV_OUT", home / handoff::kDatabaseFolder,
                                 builder / handoff::kDefinitionFolder})
    maker.Folder(folder);
  maker.CopyIfMissing(app.home_source->field_sets, home / "Tessivar.ini");
  maker.UpdateDefinitionFiles(app.home_source->definition_folder, builder / handoff::kDefinitionFolder);
}

}  // namespace tessivar
