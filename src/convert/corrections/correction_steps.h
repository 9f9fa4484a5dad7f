#pragma once
// Runs the steps of one alternative of a correction table. The steps name
// fields; each table's engine says what the fields are (the town-area rules'
// values and lists, or the business-office record's slots) and how a record
// is emitted.
#include <optional>
#include <vector>

#include "convert/context/correction_schema.h"
#include "convert/context/run_environment.h"
#include "convert/context/zip_record.h"

namespace tessivar {

class CorrectionSubject {
 public:
  virtual ~CorrectionSubject() = default;
  // The text a field names; part is the number (from 1) of kPart and
  // kPartKana. A part the list does not have is the "index out of range"
  // failure.
  virtual Text& FieldText(correction::Field field, int part) = 0;
  // The parts and their tails, kanji or kana (town-area rules only).
  virtual std::vector<Text>& Parts(bool kana);
  virtual std::vector<Text>& PartTails(bool kana);
  // The index of the part the part loop is at, if it is in the part loop.
  virtual std::optional<size_t> PartAtHand() const { return std::nullopt; }
  // The working town text joins the sibling list, as the general rules add it.
  virtual void AddTownToSiblings(bool kana);
  // word_list_once: whether the record is to be left out, the entry having
  // let one through in this run already (word list only).
  virtual bool LeftOutAsRepeat();
  virtual void SetPrefixRule(correction::PrefixRule rule);
  // narrow_floor: the word list writes the main name's floor number half width.
  virtual void NarrowFloorNumber();
  virtual void Emit() = 0;
};

// Runs the steps of alt in order, each under the error trap: a step that
// fails is reported with where its record came from, its field keeps its
// value and the next step runs. False when a word_list_once step left the
// record out: the steps after it did not run.
bool RunSteps(const correction::Table& table, const correction::Alternative& alt, CorrectionSubject& subject,
              const RunEnvironment& run);

}  // namespace tessivar
