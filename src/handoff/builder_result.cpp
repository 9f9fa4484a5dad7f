// The message that closes a database run. It names the places the builder's
// settings really use: the log beside the converter, the database in MDB_OUT.
#include <string>

#include "handoff/builder_files.h"
#include "handoff/handoff.h"

namespace tessivar {

using handoff::kBuilderLogFile;
using handoff::kDatabaseFile;
using handoff::kDatabaseFolder;

void ShowBuilderResult(BuilderOutcome outcome, long record_count, Dialogs& dialogs) {
  switch (outcome) {
    case BuilderOutcome::kSucceeded:
      dialogs.Message("郵便番号MDB を " + std::to_string(record_count) + " 件 作成しました。\r\n" +
                      std::string(kDatabaseFolder) + "ディレクトリ内の " + std::string(kDatabaseFile) +
                      "を「Quillmere」システムへコピーしてください。");
      break;
    case BuilderOutcome::kFailed:
      dialogs.Message("Morvaneが失敗しました。 \r\nTessivarと同じディレクトリの " +
                      std::string(kBuilderLogFile) + " ファイルを参照ください。");
      break;
    case BuilderOutcome::kEnded:
    case BuilderOutcome::kTimedOut:
    case BuilderOutcome::kNotStarted: break;  // F_MDB_Create has said what went wrong
  }
}

}  // namespace tessivar
