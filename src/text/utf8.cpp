#include "text/utf8.h"

#include <unicode/ustring.h>

namespace text {

bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
  out.resize(bytes.size());  // never more UTF-16 units than bytes
  int32_t length = 0;
  int32_t substitutions = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length,
                       bytes.data(), static_cast<int32_t>(bytes.size()), 0xFFFD, &substitutions, &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
  return U_SUCCESS(status) && substitutions == 0;
}

}  // namespace text
