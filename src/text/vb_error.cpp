#include "text/vb_error.h"

namespace text {

RuleError InvalidArgument() { return RuleError("プロシージャの呼び出し、または引数が不正です。"); }
RuleError IndexOutOfRange() { return RuleError("インデックスが有効範囲にありません。"); }
RuleError TypeMismatch() { return RuleError("型が一致しません。"); }
RuleError Overflow() { return RuleError("オーバーフローしました。"); }

}  // namespace text
