#pragma once
// An installed program folder in a temporary directory, and the batch mode
// run in it, for the end-to-end tests.
#include <filesystem>
#include <string>

namespace tessivar::e2e {

struct BatchRun {
  int exit_code = -1;
  std::string out;  // standard output: the messages, one per line
  std::string err;
};

// Installs the program folder once per test process and copies it to a new
// folder named after the test.
std::filesystem::path FreshProgramFolder(const std::string& name);
// The same, copied to folder (made afresh) wherever it is.
std::filesystem::path ProgramFolderAt(const std::filesystem::path& folder);

// Runs "Tessivar --batch " + args in folder; shell_prefix, when given, is run
// by the same shell first (a resource limit, say).
BatchRun RunTessivar(const std::filesystem::path& folder, const std::string& args,
                     const std::string& shell_prefix = "");

std::string ReadBytes(const std::filesystem::path& path);
// Writes bytes as they are, making the folders on the way.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// text with every from replaced by to.
std::string Replace(std::string text, const std::string& from, const std::string& to);
// Writes UTF-8 text as code page 932 with CR LF line ends.
void WriteCp932(const std::filesystem::path& path, const std::string& utf8_text);
// Code page 932 bytes with CR LF of UTF-8 text with LF line ends.
std::string Cp932Bytes(const std::string& utf8_text);

// Two address records of the test data, in UTF-8.
inline const std::string kTwoRecords =
    "01101,\"060  "
    "\",\"0600000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"北海道\",\"札幌市中央区\","
    "\"以下に掲載がない場合\",0,0,0,0,0,0\n"
    "01101,\"064  "
    "\",\"0640941\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｱｻﾋｶﾞｵｶ\",\"北海道\",\"札幌市中央区\",\"旭ケ丘\","
    "0,0,1,0,0,0\n";
// The question a database run asks first.
inline const std::string kAskDatabase = "Quillmere用 ＭＤＢを 作成します。よろしいですか？\n";

// Messages with "（<input> の <n> 行目、郵便番号 <code>）" cut to "（郵便番号 <code>）":
// the same record stands on other lines of another form of the same file.
std::string WithoutInputLines(const std::string& messages);

}  // namespace tessivar::e2e
