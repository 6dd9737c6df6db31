#include "core/field_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kestrune {
namespace {

struct NumberCase {
    const char* text;
    double number;
};

class FieldNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FieldNumberTest, ReadsTheLeadingNumber) {
    EXPECT_EQ(fieldNumber(GetParam().text), GetParam().number) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldNumberTest,
    ::testing::Values(NumberCase{"12", 12}, NumberCase{"12abc", 12}, NumberCase{"abc", 0},
                      NumberCase{"", 0}, NumberCase{"   ", 0}, NumberCase{"1.5", 1.5},
                      NumberCase{" 7", 7}, NumberCase{"\t7", 7}, NumberCase{"-5", -5},
                      NumberCase{"+5", 5}, NumberCase{".5", 0.5}, NumberCase{"1.", 1},
                      NumberCase{"1.2.3", 1.2}, NumberCase{"- 5", 0}, NumberCase{"1 5", 1},
                      NumberCase{"1e5", 1}, NumberCase{"0x10", 0}, NumberCase{"1,5", 1},
                      NumberCase{"7分", 7}, NumberCase{"-", 0}, NumberCase{"007", 7},
                      // Typed with the input method in full-width mode.
                      NumberCase{"２５", 25}, NumberCase{"００７", 7}, NumberCase{"－５", -5},
                      NumberCase{"＋５", 5}, NumberCase{"１．５", 1.5}, NumberCase{"2５", 25},
                      NumberCase{"２５分", 25}, NumberCase{"１，５", 1}, NumberCase{"／５", 0},
                      NumberCase{"\xEF\xBC", 0}));

TEST(FieldNumber, DigitRunsTooLongForADoubleAreInfinite) {
    const std::string huge(400, '9');
    EXPECT_EQ(fieldNumber(huge), INFINITY);
    EXPECT_EQ(fieldNumber("-" + huge), -INFINITY);
}

TEST(FieldNumber, FractionsTooSmallForADoubleAreZero) {
    EXPECT_EQ(fieldNumber("0." + std::string(400, '0') + "1"), 0.0);
}

struct IntegerCase {
    double number;
    int integer;
};

class FieldIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(FieldIntegerTest, RoundsHalvesToEvenAndSaturates) {
    EXPECT_EQ(fieldInteger(GetParam().number), GetParam().integer) << GetParam().number;
}

INSTANTIATE_TEST_SUITE_P(Numbers, FieldIntegerTest,
                         ::testing::Values(IntegerCase{0.5, 0}, IntegerCase{1.5, 2},
                                           IntegerCase{2.5, 2}, IntegerCase{3.5, 4},
                                           IntegerCase{-2.5, -2}, IntegerCase{2.4, 2},
                                           IntegerCase{2.6, 3}, IntegerCase{32767, 32767},
                                           IntegerCase{32767.4, 32767}, IntegerCase{32768, 32767},
                                           IntegerCase{100000, 32767}, IntegerCase{-32768, -32768},
                                           IntegerCase{-100000, -32768},
                                           IntegerCase{INFINITY, 32767},
                                           IntegerCase{-INFINITY, -32768}, IntegerCase{NAN, 0}));

}  // namespace
}  // namespace kestrune
