// Drawing-file numbers as the passes over every drawing file handle them:
// read from a name or an item's text as atoi reads the six digits, and kept
// in the set that tells a number met before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <string>

#include "drawing_file_number.h"
#include "number_set.h"

namespace {

using vedrix::browser::drawingFileNumberOf;
using vedrix::browser::NumberSet;

int numberOf(const std::string& text) {
    return drawingFileNumberOf(text.c_str(), text.size());
}

// What atoi gives for characters 2 to 7 taken out of `text`.
int atoiOfDigits(const std::string& text) {
    char digits[7] = {};
    for (std::size_t i = 2; i < 8 && i < text.size(); ++i) {
        digits[i - 2] = text[i];
    }
    return std::atoi(digits);
}

TEST(DrawingFileNumber, ReadsTheSixDigitsAfterTheFirstTwoCharacters) {
    EXPECT_EQ(numberOf("tb001234.zdw"), 1234);
    EXPECT_EQ(numberOf("tb999999.zdw  Ground floor"), 999999);
    EXPECT_EQ(numberOf("tb000000.zdw"), 0);
    EXPECT_EQ(numberOf("TB0012"), 12);             // a short text: the digits it has
    EXPECT_EQ(numberOf("tb1234567.zdw"), 123456);  // only six characters count
    EXPECT_EQ(numberOf("tb"), 0);
    EXPECT_EQ(numberOf(""), 0);
    EXPECT_EQ(numberOf("tbx12345"), 0);
    EXPECT_EQ(numberOf("tb12x345"), 12);
    EXPECT_EQ(numberOf("tb-00001.zdw"), -1);
    EXPECT_EQ(numberOf("tb +0042"), 42);
    EXPECT_EQ(numberOf("tb\t\n0042"), 42);
    EXPECT_EQ(numberOf("tb--1"), 0);
}

TEST(DrawingFileNumber, AgreesWithAtoiOnTheCharactersTakenOut) {
    const char alphabet[] = "0123456789 +-\t\nx.";
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text = "tb";
        const int length = static_cast<int>(rng() % 9);
        for (int i = 0; i < length; ++i) {
            text += alphabet[rng() % (sizeof alphabet - 1)];
        }
        ASSERT_EQ(numberOf(text), atoiOfDigits(text)) << '"' << text << '"';
    }
}

TEST(NumberSet, TellsANumberMetBeforeInAndOutsideTheUsualRange) {
    NumberSet set;
    const int numbers[] = {0, 63, 64, 1000, 999999, 1000000, -1, -99999, 2147483647};
    for (int number : numbers) {
        EXPECT_FALSE(set.contains(number)) << number;
        EXPECT_TRUE(set.insert(number)) << number;
        EXPECT_FALSE(set.insert(number)) << number;
        EXPECT_TRUE(set.contains(number)) << number;
    }
    EXPECT_FALSE(set.contains(1));
    EXPECT_FALSE(set.contains(65));
    EXPECT_FALSE(set.contains(999998));
    EXPECT_FALSE(set.contains(-2));
    EXPECT_FALSE(set.contains(5000000));  // beyond the bitmap's words
}

TEST(NumberSet, ClearingForgetsEveryNumber) {
    NumberSet set;
    set.insert(500000);
    set.insert(-3);
    set.clear();
    EXPECT_FALSE(set.contains(500000));
    EXPECT_FALSE(set.contains(-3));
    EXPECT_TRUE(set.insert(500000));
    EXPECT_TRUE(set.insert(-3));
}

TEST(NumberSet, AnswersAsASortedSetDoes) {
    std::mt19937 rng(11);
    NumberSet set;
    std::set<int> reference;
    for (int round = 0; round < 20000; ++round) {
        const int number = static_cast<int>(rng() % 1100000) - 50000;
        if (rng() % 3 == 0) {
            ASSERT_EQ(set.contains(number), reference.count(number) != 0) << number;
        } else {
            ASSERT_EQ(set.insert(number), reference.insert(number).second) << number;
        }
    }
}

}  // namespace
