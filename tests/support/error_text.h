// The text of the error a call throws.
#pragma once

#include <string>

#include "core/errors.h"

namespace skelda::testing {

// The message of the Error the call throws, or "" when it throws none.
template <typename Call>
std::string ErrorText(Call call) {
  try {
    call();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

}  // namespace skelda::testing
