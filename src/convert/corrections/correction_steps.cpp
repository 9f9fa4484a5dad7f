// The interpreter of a correction alternative: set, append, prefix,
// replace, cut_at, narrow and the rest on named fields, two kinds of loop
// (series, each_part), emit, and the switches of the general rules
// (word_list_once, prefix_rule, narrow_floor).
#include "convert/corrections/correction_steps.h"

#include "convert/context/record_trap.h"
#include "text/width.h"

namespace tessivar {

using namespace correction;

std::vector<Text>& CorrectionSubject::Parts(bool) { throw IndexOutOfRange(); }
std::vector<Text>& CorrectionSubject::PartTails(bool) { throw IndexOutOfRange(); }
void CorrectionSubject::AddTownToSiblings(bool) { throw IndexOutOfRange(); }
bool CorrectionSubject::LeftOutAsRepeat() { throw IndexOutOfRange(); }
void CorrectionSubject::SetPrefixRule(PrefixRule) { throw IndexOutOfRange(); }
void CorrectionSubject::NarrowFloorNumber() { throw IndexOutOfRange(); }

namespace {

class StepRunner {
 public:
  StepRunner(const Table& table, CorrectionSubject& subject, const RunEnvironment& run)
      : table_(table), subject_(subject), run_(run) {}

  // False when the record was left out.
  bool Run(std::span<const Step> steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
      if (left_out_) return false;
      const Step& step = steps[i];
      if (step.action != Action::kSeries && step.action != Action::kEachPart) {
        Trap(run_, [&] { RunStep(step); });
        continue;
      }
      const Action closing = step.action == Action::kSeries ? Action::kSeriesEnd : Action::kEachPartEnd;
      size_t end = i + 1;
      while (end < steps.size() && steps[end].action != closing) ++end;
      const auto body = steps.subspan(i + 1, end - i - 1);
      if (step.action == Action::kSeries) {
        for (n_ = step.first; n_ <= step.last; ++n_) Run(body);
      } else {
        std::vector<Text>* parts = nullptr;
        Trap(run_, [&] { parts = &subject_.Parts(false); });
        for (size_t part = 0; parts && part < parts->size(); ++part) {
          loop_part_ = part;
          Run(body);
        }
        loop_part_.reset();
      }
      i = end;
    }
    return !left_out_;
  }

 private:
  void RunStep(const Step& step) {
    const bool kana = IsKanaField(step.field);
    switch (step.action) {
      case Action::kSet:
        if (step.field == Field::kParts || step.field == Field::kPartsKana) {
          SetParts(kana, Evaluate(step.text, kana));
        } else {
          Text value = Evaluate(step.text, kana);
          Target(step) = std::move(value);
        }
        break;
      case Action::kAppend: {
        Text value = Evaluate(step.text, kana);
        Target(step) += value;
        break;
      }
      case Action::kPrefix: {
        Text value = Evaluate(step.text, kana);
        Text& target = Target(step);
        target = Concat(value, target);
        break;
      }
      case Action::kReplace: {
        Text find = Evaluate(step.text, kana), with = Evaluate(step.to, kana);
        ReplaceIn(Target(step), find, with);
        break;
      }
      case Action::kCutAt: {
        // ex. siblings "…、高師町（北原１、…" cut at "高師町（北原１" to "高師町（北原）"
        Text mark = Evaluate(step.text, kana), with = Evaluate(step.to, kana);
        Text& target = Target(step);
        if (size_t at = target.find(mark); at != Text::npos)
          target = Concat(TextView(target).substr(0, at), with);
        break;
      }
      case Action::kAddTown: subject_.AddTownToSiblings(kana); break;
      case Action::kNarrow: {
        Text& target = Target(step);
        target = Narrow(target);
        break;
      }
      case Action::kBracketToComment: {
        // ex. "１－１（本館）" -> address "１－１", comment "（本館）"
        Text& address = Target(step);
        long k = InStr(address, u"（");
        subject_.FieldText(Field::kComment, 0) = Text(Mid(address, k));
        address = Text(Left(address, k - 1));
        break;
      }
      case Action::kCommentFromName: {
        // The operating body in front of the office names, without its
        // separator: ex. "学校法人　大妻学院・..." with "大妻" -> "学校法人"
        const Text& name = Target(step);
        Text body(Left(name, InStr(name, Evaluate(step.text, kana)) - 2));
        subject_.FieldText(Field::kComment, 0) = std::move(body);
        break;
      }
      case Action::kEmit: subject_.Emit(); break;
      case Action::kWordListOnce: left_out_ = subject_.LeftOutAsRepeat(); break;
      case Action::kPrefixRule: subject_.SetPrefixRule(static_cast<PrefixRule>(step.first)); break;
      case Action::kNarrowFloor: subject_.NarrowFloorNumber(); break;
      default: break;  // keys, conditions and ends are no steps
    }
  }

  Text& Target(const Step& step) { return subject_.FieldText(step.field, step.part); }

  // The list replaced by a fixed one; the tail list keeps its entries and
  // gets as many as there are parts.
  void SetParts(bool kana, const Text& value) {
    std::vector<Text> parts = Split(value, kana ? u"､" : u"、");
    subject_.PartTails(kana).resize(parts.size());
    subject_.Parts(kana) = std::move(parts);
  }

  // Inside each_part a kana list shorter than the kanji list reads as empty,
  // so that every kanji part is still written.
  Text Part(bool kana, size_t index, bool lenient) {
    const std::vector<Text>& parts = subject_.Parts(kana);
    if (index < parts.size()) return parts[index];
    if (lenient && kana) return Text();
    throw IndexOutOfRange();
  }

  Text Evaluate(Value value, bool kana) {
    Text out;
    for (const Piece& piece : table_.pieces.subspan(value.first, value.count)) {
      switch (piece.kind) {
        case PieceKind::kText: out += piece.text; break;
        case PieceKind::kNumber: out += kana ? Decimal(n_) : FullWidthDecimal(n_); break;
        case PieceKind::kPart: {
          std::optional<size_t> at_hand = loop_part_ ? loop_part_ : subject_.PartAtHand();
          if (!at_hand) throw IndexOutOfRange();
          out += Part(kana, *at_hand, loop_part_.has_value());
          break;
        }
        case PieceKind::kPartAt: out += Part(kana, piece.part - 1u, false); break;
        case PieceKind::kSiblings:
          out += subject_.FieldText(kana ? Field::kSiblingsKana : Field::kSiblings, 0);
          break;
        case PieceKind::kTown: out += subject_.FieldText(kana ? Field::kTownKana : Field::kTown, 0); break;
        case PieceKind::kTownAfter: {
          // ex. "美栄町（西５～８線７９～１１０番地）" after "線" -> "７９～１１０番地"
          const Text& town = subject_.FieldText(kana ? Field::kTownKana : Field::kTown, 0);
          long at = InStr(town, piece.text);
          if (at == 0) throw InvalidArgument();
          TextView rest = Mid(town, at + Len(piece.text));
          out += Left(rest, Len(rest) - 1);
          break;
        }
      }
    }
    return out;
  }

  const Table& table_;
  CorrectionSubject& subject_;
  const RunEnvironment& run_;
  long n_ = 0;
  std::optional<size_t> loop_part_;
  bool left_out_ = false;
};

}  // namespace

bool RunSteps(const Table& table, const Alternative& alt, CorrectionSubject& subject,
              const RunEnvironment& run) {
  return StepRunner(table, subject, run).Run(table.steps.subspan(alt.first_step, alt.step_count));
}

}  // namespace tessivar
