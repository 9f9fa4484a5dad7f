#include "convert/write_sink.h"

namespace tessivar {

void OutputFileSink::WriteLine(std::u16string_view line) {
  if (!file_.is_open() || file_.failed()) return;
  if (file_.WriteLine(line)) return;
  if (file_.failed())
    dialogs_.Message(file_.error());
  else
    notices_.Say(file_.error());
}

}  // namespace tessivar
