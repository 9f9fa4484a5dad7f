#include "convert/output/write_sink.h"

namespace tessivar {

void OutputFileSink::WriteLine(std::u16string_view line) {
  if (!file_.is_open() || file_.failed()) return;
  const uint64_t place = file_.size();
  bool reads_back = false;
  const bool written = file_.WriteLine(line, look_back_ ? &reads_back : nullptr);
  if (look_back_ && !reads_back && !file_.failed()) unreadable_.emplace(place, line);
  if (written) return;
  if (file_.failed())
    dialogs_.Message(file_.error());
  else
    notices_.Say(file_.error());
}

bool OutputFileSink::Holds(uint64_t place, std::u16string_view line) {
  if (!look_back_) return false;
  if (const auto kept = unreadable_.find(place); kept != unreadable_.end()) return kept->second == line;
  return file_.ReadsBackAs(place, line);
}

}  // namespace tessivar
