#include "intake/dot_size.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/errors.h"

namespace skelda {
namespace {

struct ConversionCase {
  const char* given;
  const char* result;
};

class ResolutionForDotTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ResolutionForDotTest, IsInchOverDot) {
  EXPECT_EQ(ResolutionForDot(GetParam().given, "127"), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Values, ResolutionForDotTest,
                         ::testing::Values(ConversionCase{"0.2", "127"},
                                           ConversionCase{"0.15", "169.333333333333"},
                                           ConversionCase{"0.25", "101.6"},
                                           ConversionCase{"0.1", "254"},
                                           ConversionCase{"-0.2", "-127"}));

class DotForResolutionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(DotForResolutionTest, IsInchOverResolution) {
  EXPECT_EQ(DotForResolution("0.2", GetParam().given), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Values, DotForResolutionTest,
                         ::testing::Values(ConversionCase{"127", "0.2"},
                                           ConversionCase{"300", "0.0846666666666667"},
                                           ConversionCase{"100", "0.254"},
                                           ConversionCase{"254", "0.1"}));

struct FailureCase {
  const char* name;
  const char* dot;
  const char* dpi;
  const char* forDot;  // Enter in edt1
  const char* forDpi;  // Enter in edt4
};

class DotSizeFailureTest : public ::testing::TestWithParam<FailureCase> {};

std::string ErrorOf(const std::function<std::string()>& command) {
  try {
    return "no error: " + command();
  } catch (const Error& e) {
    return e.what();
  }
}

TEST_P(DotSizeFailureTest, NamesTheFirstBadField) {
  const FailureCase& c = GetParam();
  EXPECT_EQ(ErrorOf([&] { return ResolutionForDot(c.dot, c.dpi); }), c.forDot);
  EXPECT_EQ(ErrorOf([&] { return DotForResolution(c.dot, c.dpi); }), c.forDpi);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DotSizeFailureTest,
    ::testing::Values(
        // edt1 is checked first whichever field the Enter was typed in
        FailureCase{"BothBad", "abc", "x", "'abc' is not a valid floating point value",
                    "'abc' is not a valid floating point value"},
        FailureCase{"DotBad", "0,2", "127", "'0,2' is not a valid floating point value",
                    "'0,2' is not a valid floating point value"},
        FailureCase{"DpiBad", "0.2", "127dpi", "'127dpi' is not a valid floating point value",
                    "'127dpi' is not a valid floating point value"},
        FailureCase{"DotEmpty", "", "127", "'' is not a valid floating point value",
                    "'' is not a valid floating point value"},
        FailureCase{"DotZero", "0", "127", "Floating point division by zero", "no error: 0.2"},
        FailureCase{"DpiZero", "0.2", "0", "no error: 127", "Floating point division by zero"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace skelda
