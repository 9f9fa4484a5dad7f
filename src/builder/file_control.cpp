#include "builder/file_control.h"

#include <system_error>

#include "builder/command_start.h"
#include "builder/file_system_object.h"
#include "builder/script_parser.h"
#include "text/ascii.h"
#include "text/cp932.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace morvane {

namespace {

std::string ErrorLine(int number, const std::string& description, const std::string& command) {
  return "*** is Err(" + std::to_string(number) + ")" + description + " :" + command;
}

struct TwoPaths {
  bool has_comma;
  std::string source, destination;
};

TwoPaths SplitPaths(std::string_view arguments) {
  const size_t comma = arguments.find(',');
  if (comma == std::string_view::npos) return {false, std::string(arguments), ""};
  return {true, std::string(text::TrimSpaces(arguments.substr(0, comma))),
          std::string(text::TrimSpaces(arguments.substr(comma + 1)))};
}

}  // namespace

void F_FSO_COMMAND(BuilderContext& ctx, const std::string& command) {
  const std::string_view trimmed = text::TrimSpaces(command);
  size_t separator = trimmed.find(' ');
  if (separator == std::string_view::npos) separator = trimmed.find('(');
  if (separator == std::string_view::npos) {
    ctx.log.Write("*** not Issued :" + command);
    return;
  }
  const std::string verb = text::UpperAscii(text::TrimSpaces(trimmed.substr(0, separator)));
  const std::string_view arguments = text::TrimSpaces(trimmed.substr(separator));
  const TwoPaths paths = SplitPaths(arguments);
  try {
    if (verb == "CREATEFOLDER") {
      CreateFolder(std::string(arguments));
    } else if (verb == "DELETEFOLDER") {
      const bool force =
          paths.has_comma &&
          text::UpperAscii(arguments.substr(arguments.find(','))).find("TRUE") != std::string::npos;
      DeleteFolder(force ? paths.source : std::string(arguments), force);
    } else if (verb == "MOVEFOLDER") {
      MoveFolder(paths.source, paths.destination);
    } else if (verb == "COPYFOLDER" || verb == "COPYFILE" || verb == "MOVEFILE") {
      if (!paths.has_comma) {
        ctx.log.Write("*** not Issued :" + command);
        return;
      }
      if (verb == "COPYFOLDER") CopyFolder(paths.source, paths.destination);
      if (verb == "COPYFILE") CopyFile(paths.source, paths.destination);
      if (verb == "MOVEFILE") MoveFile(paths.source, paths.destination);
    } else if (verb == "DELETEFILE") {
      DeleteFile(std::string(arguments));
    } else {
      ctx.log.Write("*** not Supported :" + command);
      return;
    }
  } catch (const FsoError& e) {
    ctx.log.Write(ErrorLine(e.number(), e.what(), command));
  } catch (const std::exception& e) {
    ctx.log.Write(ErrorLine(0, e.what(), command));
  }
  ctx.log.Write(command + " を 処理しました。");
}

void F_SHELL_COMMAND(BuilderContext& ctx, const std::string& command) {
  try {
    StartCommand(std::string(text::TrimSpaces(command)));
  } catch (const FsoError& e) {
    ctx.log.Write(ErrorLine(e.number(), e.what(), command));
  }
  ctx.log.Write(command + " を 処理しました。");
}

std::optional<std::filesystem::path> FindFileControlScript(const BuilderContext& ctx) {
  const Settings& s = ctx.settings;
  if (s.file_cntl.empty()) return std::nullopt;
  auto found = text::FindNoCase(s.dstrb_dir, s.file_cntl);
  std::error_code ec;
  if (!found || !std::filesystem::is_regular_file(*found, ec)) return std::nullopt;
  return found;
}

void F_RUN_FILECNTL(BuilderContext& ctx) {
  const auto found = FindFileControlScript(ctx);
  const std::string script = found ? found->string() : ctx.settings.dstrb_dir + ctx.settings.file_cntl;
  ctx.log.Write(script + "の処理を開始します。");
  text::TextFileReader reader;
  if (!reader.Open(script)) {
    ctx.log.Write(reader.error());
    return;
  }
  std::u16string line16;
  while (reader.Next(line16)) {
    if (!reader.error().empty()) {
      ctx.log.Write(reader.error());
      return;
    }
    const std::string raw = text::ToUtf8(line16);
    ctx.log.Write(raw);
    const std::string cleaned = ReplaceTabs(raw);
    std::string_view line = cleaned;
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos || line.starts_with("'") || line.starts_with("--")) continue;
    const std::string kind = text::UpperAscii(line.substr(0, comma));
    const std::string command(text::TrimSpaces(line.substr(comma + 1)));
    if (kind == "FSO")
      F_FSO_COMMAND(ctx, command);
    else if (kind == "SHELL")
      F_SHELL_COMMAND(ctx, command);
  }
  reader.Close();
  ctx.log.Write(script + "の処理を終了します。");
}

}  // namespace morvane
