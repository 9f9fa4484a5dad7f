#pragma once
// How the rules hand an output record on. The town-area rules, their
// correction table and the business-office rules know the emitter only
// through this interface: they describe the record in the emission values and
// call it once per record. A record that fails inside is reported and the
// rules go on with the next.
#include "convert/context/emit_values.h"

namespace tessivar {

class RecordEmitter {
 public:
  virtual ~RecordEmitter() = default;
  // The record values describes, its main name before its sub-area.
  virtual void Emit(EmissionValues& values) = 0;
  // The same with the sub-area in front of the main name (Kyoto street codes).
  virtual void EmitSubFirst(EmissionValues& values) = 0;
};

}  // namespace tessivar
