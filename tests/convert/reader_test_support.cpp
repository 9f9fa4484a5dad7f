#include "reader_test_support.h"

#include "dialogs/scripted_dialogs.h"

namespace tessivar::testing {

std::vector<std::string> ReadRecords(text::LineSource& input, int index, const RecordHandler& on_record) {
  RunOptions options;
  options.prefecture_checked.fill(true);
  ScriptedDialogs dialogs;
  RunEnvironment run(options, InputFiles{}, dialogs);
  ReaderState state;
  run.origin = &state.origin;
  state.G_InputIndex = index;
  F_ReadZipFile(run, state, input, on_record);
  run.notices.Finish();
  return dialogs.messages();
}

}  // namespace tessivar::testing
