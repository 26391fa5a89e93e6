#include "document/size_text.h"

#include <gtest/gtest.h>

using document::dataSizeFor;
using document::parseSizeText;

TEST(SizeText, AcceptsEveryPlainNumberUpToTheLimit) {
    for (int value = 1; value <= 96; ++value) EXPECT_EQ(parseSizeText(std::to_string(value), 96), value);
    EXPECT_EQ(parseSizeText("80", 80), 80);
}

TEST(SizeText, RefusesAnythingButThePlainDecimalForm) {
    for (const char* text : {"", "0", "00", "07", " 7", "7 ", "+7", "-7", "7a", "x", "97", "100", "960", "99999999999"})
        EXPECT_EQ(parseSizeText(text, 96), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(parseSizeText("81", 80), std::nullopt);
}

TEST(DataSize, PadsEveryRowToWholeBytes) {
    EXPECT_EQ(dataSizeFor(96, 80, 0), 960);
    EXPECT_EQ(dataSizeFor(1, 1, 0), 1);
    EXPECT_EQ(dataSizeFor(8, 1, 0), 1);
    EXPECT_EQ(dataSizeFor(9, 1, 0), 2);
    EXPECT_EQ(dataSizeFor(17, 3, 0), 9);
}

TEST(DataSize, StaysAsItWasWithoutAWidth) {
    EXPECT_EQ(dataSizeFor(0, 0, 0), 0);
    EXPECT_EQ(dataSizeFor(0, 5, 12), 12);
}
