#include "convert/write/write_header.h"

#include <ctime>

#include "fieldsets/field_set_file.h"
#include "program_version.h"

namespace tessivar {

namespace {

std::u16string TwoDigits(int n) { return Concat(n < 10 ? u"0" : u"", Decimal(n)); }

// "yyyy年mm月dd日 hh:nn" in local time.
std::u16string LocalDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Concat(Decimal(local.tm_year + 1900), u"年", TwoDigits(local.tm_mon + 1), u"月",
                TwoDigits(local.tm_mday), u"日 ", TwoDigits(local.tm_hour), u":", TwoDigits(local.tm_min));
}

}  // namespace

void F_WriteImeHeader(RunEnvironment& run) {
  run.output->WriteLine(u"!Microsoft IME Dictionary Tool 98");
  run.output->WriteLine(Concat(u"!Version:", Decimal(kVersionMajor), u".", Decimal(kVersionMinor)));
  run.output->WriteLine(u"!Format:WORDLIST");
  run.output->WriteLine(u"!User Dictionary Name:");
  run.output->WriteLine(u"!Output File Name:");
  run.output->WriteLine(Concat(u"!DateTime:", LocalDateTime()));
  run.output->WriteLine(u"");
}

void F_WriteColumnNames(RunEnvironment& run) { run.output->WriteLine(ColumnNameLine(run.G_SelFields)); }

}  // namespace tessivar
