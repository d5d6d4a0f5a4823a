// Function file format: the exact bytes written, the reading rules, the range checks that refuse
// a file as a whole, and the round trip through the state.
#include "files/function_file.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/number_text.h"
#include "files/file_errors.h"
#include "messages/messages.h"

namespace {

FunctionFile DefaultStateFile(std::string_view expression, bool bounded = false,
                              std::string_view lower = "", std::string_view upper = "") {
    const ViewState view;
    const Engine engine;
    return FunctionFileFromState(view, engine, expression, bounded, lower, upper);
}

// The nine lines of a valid file with the given lines 2..9, joined by CR LF.
std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (const std::string_view line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

TEST(FunctionFileWrite, DefaultStateWritesNineLines) {
    EXPECT_EQ(FunctionFileBytes(DefaultStateFile("sinx")),
              "sinx\r\n0.0500000000\r\n0.0500000000\r\n1\r\n1\r\n100\r\n1.0000000000\r\n"
              "1.0000000000\r\n0\r\n");
}

TEST(FunctionFileWrite, BoundedStateWritesElevenLinesWithTextsAsTyped) {
    EXPECT_EQ(FunctionFileBytes(DefaultStateFile("sinx", true, "-1", "1")),
              "sinx\r\n0.0500000000\r\n0.0500000000\r\n1\r\n1\r\n100\r\n1.0000000000\r\n"
              "1.0000000000\r\n1\r\n-1\r\n1\r\n");
    const std::string typed = FunctionFileBytes(DefaultStateFile("x", true, "-1e1", " 2."));
    EXPECT_TRUE(typed.ends_with("\r\n1\r\n-1e1\r\n 2.\r\n")) << typed;
}

TEST(FunctionFileWrite, UnboundedStateIgnoresTheBoundTexts) {
    EXPECT_TRUE(FunctionFileBytes(DefaultStateFile("x", false, "-5", "5")).ends_with("\r\n0\r\n"));
}

TEST(FunctionFileWrite, ValuesTakenFromTheStateInForce) {
    ViewState view;
    view.PixelSizeX = 0.00078125L;
    view.PixelSizeY = 2;
    view.SamplesPerPixel = -3;  // written as it is held, sign included
    Engine engine;
    engine.IndexFrom = 0;
    engine.IndexTo = 100000;
    engine.ValueA = -0.00000000001L;  // below the tenth decimal: -0.0000000000
    engine.ConstantC = 2.7e43L;       // exponent form from 1e36 up
    const FunctionFile file = FunctionFileFromState(view, engine, "a*n", false, "", "");
    EXPECT_EQ(FunctionFileBytes(file),
              "a*n\r\n0.0007812500\r\n2.0000000000\r\n-3\r\n0\r\n100000\r\n-0.0000000000\r\n"
              " 2.7E+0043\r\n0\r\n");
}

TEST(FunctionFileWrite, PixelSizeZoomedPastItsBoundIsStoredClampedAndLoadsAgain) {
    ViewState view;
    view.PixelSizeX = 0.000005L;  // one zoom-in step below the smallest size
    view.PixelSizeY = 200000;     // one zoom-out step above the largest
    const Engine engine;
    const std::string bytes =
        FunctionFileBytes(FunctionFileFromState(view, engine, "x", false, "", ""));
    EXPECT_EQ(bytes,
              "x\r\n0.0000100000\r\n100000.0000000000\r\n1\r\n1\r\n100\r\n1.0000000000\r\n"
              "1.0000000000\r\n0\r\n");
    EXPECT_TRUE(ParseFunctionFile(bytes).File.has_value());
}

TEST(FunctionFileWrite, CyrillicIsCodePage1251AndLineBreaksInTextsBecomeBlanks) {
    const std::string bytes =
        FunctionFileBytes(DefaultStateFile("sin\xd1\x85", true, "1\r\n2", "3\x1a"));
    EXPECT_TRUE(bytes.starts_with("sin\xf5\r\n")) << bytes;
    EXPECT_TRUE(bytes.ends_with("\r\n1\r\n1  2\r\n3 \r\n")) << bytes;
    // Other control bytes become blanks too, a Tab stays: what is saved always loads.
    const std::string controls =
        FunctionFileBytes(DefaultStateFile(std::string("x\0\x01\t\x7f", 5)));
    EXPECT_TRUE(controls.starts_with("x  \t \r\n")) << controls;
    EXPECT_TRUE(ParseFunctionFile(controls).File);
}

// Reading rules: rows of file bytes and what a successful parse gives.
struct ReadRow {
    const char* name;
    std::string bytes;
    std::string expression;
    ExtendedReal pixelSizeX;
    int32_t samples;
    int32_t indexTo;
    ExtendedReal valueA;
    bool bounded;
};

class FunctionFileRead : public testing::TestWithParam<ReadRow> {};

TEST_P(FunctionFileRead, Parses) {
    const ReadRow& row = GetParam();
    const FunctionFileParse parse = ParseFunctionFile(row.bytes);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    EXPECT_EQ(parse.File->Expression, row.expression);
    EXPECT_EQ(parse.File->PixelSizeX, row.pixelSizeX);
    EXPECT_EQ(parse.File->SamplesPerPixel, row.samples);
    EXPECT_EQ(parse.File->IndexTo, row.indexTo);
    EXPECT_EQ(parse.File->ValueA, row.valueA);
    EXPECT_EQ(parse.File->Bounded, row.bounded);
}

const std::string kDefault = Lines(
    {"sinx", "0.0500000000", "0.0500000000", "1", "1", "100", "1.0000000000", "1.0000000000", "0"});

INSTANTIATE_TEST_SUITE_P(
    Rules, FunctionFileRead,
    testing::Values(
        ReadRow{"Default", kDefault, "sinx", 0.05L, 1, 100, 1, false},
        // Text after a number and a blank is ignored; tabs and blanks before it are skipped.
        ReadRow{"Comments",
                Lines({"x", "0.05 scale", "\t 0.05\tscale", "2 samples", "1", "100", "3 a0", "1",
                       "0 free"}),
                "x", 0.05L, 2, 100, 3, false},
        // Empty lines before a number are passed over.
        ReadRow{"EmptyLines", "x\r\n\r\n\r\n0.05\r\n0.05\r\n\r\n1\r\n1\r\n100\r\n1\r\n1\r\n0\r\n",
                "x", 0.05L, 1, 100, 1, false},
        // A bare LF ends a line, and so does a lone CR.
        ReadRow{"BareLf", "cosx\n0.1\n0.05\n1\n1\n100\n2\n1\n0\n", "cosx", 0.1L, 1, 100, 2, false},
        ReadRow{"LoneCr", "cosx\r0.1\r0.05\r1\r1\r100\r2\r1\r0\r", "cosx", 0.1L, 1, 100, 2, false},
        ReadRow{"NoFinalLineEnd", "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n100\r\n1\r\n1\r\n0", "x", 0.05L,
                1, 100, 1, false},
        // Hexadecimal integers, as the integer fields take them.
        ReadRow{"HexInteger", Lines({"x", "0.05", "0.05", "$A", "1", "0x1F", "1", "1", "0"}), "x",
                0.05L, 10, 31, 1, false},
        // Ctrl-Z ends the file: nothing after it is read, control bytes included.
        ReadRow{"CtrlZ",
                "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n10\r\n5\r\n1\r\n0\r\n\x1a"
                "\x01\x00-1\r\n1\r\n",
                "x", 0.05L, 1, 10, 5, false},
        // Tabs are text; lines beyond the format's are not read.
        ReadRow{"TabsAndTrailingLines",
                Lines({"\tx", "0.05", "0.05", "1", "1", "100", "1", "1", "0", "a note"}), "\tx",
                0.05L, 1, 100, 1, false},
        // Only the single character 1 bounds the argument.
        ReadRow{"OneAndBlank",
                Lines({"x", "0.05", "0.05", "1", "1", "100", "1", "1", "1 ", "-1", "1"}), "x",
                0.05L, 1, 100, 1, false},
        ReadRow{"ZeroOne", Lines({"x", "0.05", "0.05", "1", "1", "100", "1", "1", "01"}), "x",
                0.05L, 1, 100, 1, false},
        ReadRow{"EmptyLine9", "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n100\r\n1\r\n1\r\n\r\n", "x", 0.05L, 1,
                100, 1, false},
        // The longest number texts: 64 characters for a real, 32 for an integer.
        ReadRow{"LongTokens",
                Lines({"x", "0.05" + std::string(60, '0'), "0.05", std::string(31, '0') + "7", "1",
                       "100", "1", "1", "0"}),
                "x", 0.05L, 7, 100, 1, false},
        // The edges of every range are taken.
        ReadRow{"RangeEdges",
                Lines({"x", "0.0000100000", "100000.0000000000", "1", "0", "100000", "-1e30", "1",
                       "0"}),
                "x", kMinPixelSize, 1, 100000, -1e30L, false},
        ReadRow{"Cyrillic", Lines({"\xe0\xe1", "0.05", "0.05", "1", "1", "100", "1", "1", "0"}),
                "\xd0\xb0\xd0\xb1", 0.05L, 1, 100, 1, false}),
    [](const testing::TestParamInfo<ReadRow>& info) { return info.param.name; });

// Refusals: rows of file bytes and the message that refuses them.
struct RefusalRow {
    const char* name;
    std::string bytes;
    std::string message;
};

class FunctionFileRefusal : public testing::TestWithParam<RefusalRow> {};

TEST_P(FunctionFileRefusal, RefusesWithMessage) {
    const FunctionFileParse parse = ParseFunctionFile(GetParam().bytes);
    EXPECT_FALSE(parse.File);
    EXPECT_EQ(LoadErrorText(parse.Error), GetParam().message);
}

std::string WithLine(int line, std::string_view text) {
    std::vector<std::string> lines = {"x", "0.05", "0.05", "1", "1", "100", "1", "1", "0"};
    if (line > 9) {
        lines[8] = "1";
        lines.push_back("-1");
        lines.push_back("1");
    }
    lines[line - 1] = std::string(text);
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FunctionFileRefusal,
    testing::Values(
        // A token that is not a number of its kind.
        RefusalRow{"JoinedText", WithLine(2, "0.05x"), "Invalid numeric input in line 2"},
        RefusalRow{"Comma", WithLine(3, "0,05"), "Invalid numeric input in line 3"},
        RefusalRow{"RealInIntegerLine", WithLine(4, "2.5"), "Invalid numeric input in line 4"},
        RefusalRow{"NegativeHex", WithLine(5, "-$1"), "Invalid numeric input in line 5"},
        RefusalRow{"IntegerOverflow", WithLine(6, "2147483648"), "Invalid numeric input in line 6"},
        RefusalRow{"WordInA0", WithLine(7, "one"), "Invalid numeric input in line 7"},
        RefusalRow{"LoneSignInC", WithLine(8, "-"), "Invalid numeric input in line 8"},
        RefusalRow{"RealTooLong", WithLine(2, "0.05" + std::string(61, '0')),
                   "Invalid numeric input in line 2"},
        RefusalRow{"IntegerTooLong", WithLine(4, std::string(32, '0') + "7"),
                   "Invalid numeric input in line 4"},
        RefusalRow{"BeyondExtendedRange", WithLine(7, "1e5000"), "Invalid numeric input in line 7"},
        // Values outside the ranges of the parameter fields.
        RefusalRow{"ScaleXZero", WithLine(2, "0.0000000000"), "Value out of range in line 2"},
        RefusalRow{"ScaleXBelowMinimum", WithLine(2, "0.0000099999"),
                   "Value out of range in line 2"},
        RefusalRow{"ScaleYNegative", WithLine(3, "-0.0500000000"), "Value out of range in line 3"},
        RefusalRow{"ScaleYAboveMaximum", WithLine(3, "100000.0000000001"),
                   "Value out of range in line 3"},
        RefusalRow{"NoSamples", WithLine(4, "0"), "Value out of range in line 4"},
        RefusalRow{"NegativeFirstIndex", WithLine(5, "-1"), "Value out of range in line 5"},
        RefusalRow{"LastIndexEqualsFirst", WithLine(6, "1"), "Value out of range in line 6"},
        RefusalRow{"LastIndexTooLarge", WithLine(6, "100001"), "Value out of range in line 6"},
        // The earliest failing line is the one reported.
        RefusalRow{"FirstLineWins", Lines({"x", "0", "0,5", "1", "1", "100", "1", "1", "0"}),
                   "Value out of range in line 2"},
        // A file that lacks a line the format needs.
        RefusalRow{"Empty", "", "Missing line 1"},
        RefusalRow{"OnlyExpression", "sinx\r\n", "Missing value in line 2"},
        RefusalRow{"EndsAfterScales", "x\r\n0.05\r\n0.05\r\n", "Missing value in line 4"},
        RefusalRow{"EndsAfterFirstIndex", "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n",
                   "Missing value in line 6"},
        RefusalRow{"CtrlZInScale",
                   "x\r\n0.\x1a"
                   "05\r\n",
                   "Value out of range in line 2"},
        // The bounds of a bounded file must be numbers, the lower one below the upper one.
        RefusalRow{"LowerBoundNotNumber", WithLine(10, "abc"), "Invalid argument bound in line 10"},
        RefusalRow{"UpperBoundTrailingBlank", WithLine(11, "1 "),
                   "Invalid argument bound in line 11"},
        RefusalRow{"UpperBoundMissing",
                   Lines({"x", "0.05", "0.05", "1", "1", "100", "1", "1", "1", "-1"}),
                   "Missing line 11"},
        RefusalRow{"EndsAfterLastIndex", "a*n\r\n0.05\r\n0.05\r\n1\r\n1\r\n10\r\n",
                   "Missing value in line 7"},
        RefusalRow{"CtrlZAfterLastIndex",
                   "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n10\r\n\x1a"
                   "5\r\n1\r\n1\r\n-1\r\n1\r\n",
                   "Missing value in line 7"},
        RefusalRow{"NoLine9", "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n100\r\n1\r\n1\r\n", "Missing line 9"},
        RefusalRow{"LastBoundCut",
                   Lines({"x", "0.05", "0.05", "1", "1", "100", "1", "1", "1", "-1"}) + "2",
                   "Line 11 ends without a line break"},
        // Bytes that no text holds, wherever they stand before a Ctrl-Z.
        RefusalRow{"NulInExpression", WithLine(1, std::string("si\0nx", 5)),
                   "Invalid character in line 1"},
        RefusalRow{"ControlInScale",
                   WithLine(3,
                            "0.0\x01"
                            "5"),
                   "Invalid character in line 3"},
        RefusalRow{"DeleteInBound", WithLine(11, "1\x7f"), "Invalid character in line 11"},
        RefusalRow{"NoiseAfterTheFile", WithLine(9, "0") + "\x9c\x02\xff",
                   "Invalid character in line 10"},
        // Lines beyond the limit, text and numeric alike.
        RefusalRow{"LongExpression", WithLine(1, std::string(kFunctionFileLineLimit + 1, 'x')),
                   "Line 1 is too long"},
        RefusalRow{"LongComment", WithLine(7, "1 " + std::string(kFunctionFileLineLimit, ' ')),
                   "Line 7 is too long"},
        RefusalRow{"BoundsEqual", WithLine(10, "1"),
                   "Argument bounds out of order in lines 10 and 11"},
        RefusalRow{"BoundsReversed", WithLine(10, "2"),
                   "Argument bounds out of order in lines 10 and 11"}),
    [](const testing::TestParamInfo<RefusalRow>& info) { return info.param.name; });

TEST(FunctionFileBounds, BoundedFileKeepsTextsAsTypedAndTheirValues) {
    const FunctionFileParse parse = ParseFunctionFile(WithLine(11, "1e1"));
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    EXPECT_TRUE(parse.File->Bounded);
    EXPECT_EQ(parse.File->LowerBoundText, "-1");
    EXPECT_EQ(parse.File->UpperBoundText, "1e1");
    EXPECT_EQ(parse.File->ArgumentFrom, -1);
    EXPECT_EQ(parse.File->ArgumentTo, 10);
}

// The bounds of a file are applied as a pair: with -1 and 1 held, a file with 2 and 5 gives 2
// and 5 (one after the other, 2 would be refused against the old upper bound 1).
TEST(FunctionFileBounds, AppliedAsAPair) {
    std::string bytes = WithLine(10, "2");
    bytes.replace(bytes.rfind("1\r\n"), 1, "5");
    const FunctionFileParse parse = ParseFunctionFile(bytes);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    ViewState view;
    Engine engine;
    ApplyFunctionFile(*parse.File, view, engine);
    EXPECT_EQ(view.ArgumentFrom, 2);
    EXPECT_EQ(view.ArgumentTo, 5);
}

TEST(FunctionFileBounds, UnboundedFileLeavesTheBoundsAndTheViewOrigin) {
    ViewState view;
    view.ArgumentFrom = -7;
    view.ArgumentTo = 3;
    view.ViewOriginX = 12;
    view.ViewOriginY = -4;
    Engine engine;
    const FunctionFileParse parse =
        ParseFunctionFile(Lines({"x", "0.1", "0.2", "3", "0", "50", "4", "5", "0", "9", "10"}));
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    ApplyFunctionFile(*parse.File, view, engine);
    EXPECT_EQ(view.ArgumentFrom, -7);
    EXPECT_EQ(view.ArgumentTo, 3);
    EXPECT_EQ(view.ViewOriginX, 12);
    EXPECT_EQ(view.ViewOriginY, -4);
    EXPECT_EQ(view.PixelSizeX, 0.1L);
    EXPECT_EQ(view.PixelSizeY, 0.2L);
    EXPECT_EQ(view.SamplesPerPixel, 3);
    EXPECT_EQ(engine.IndexFrom, 0);
    EXPECT_EQ(engine.IndexTo, 50);
    EXPECT_EQ(engine.ValueA, 4);
    EXPECT_EQ(engine.ConstantC, 5);
}

// Round trip: a state saved and loaded into a fresh state gives the values rounded to ten
// decimals, and saving that again gives the same bytes.
struct RoundTripRow {
    const char* name;
    ExtendedReal pixelSizeX, pixelSizeY;
    int32_t samples, indexFrom, indexTo;
    ExtendedReal valueA, constantC;
    bool bounded;
    const char* lower;
    const char* upper;
};

class FunctionFileRoundTrip : public testing::TestWithParam<RoundTripRow> {};

ExtendedReal AtTenDecimals(ExtendedReal value) {
    ExtendedReal rounded = 0;
    EXPECT_TRUE(NumberSyntax(FixedPointText(value, 10), rounded));
    return rounded;
}

TEST_P(FunctionFileRoundTrip, LoadsWhatWasSaved) {
    const RoundTripRow& row = GetParam();
    ViewState view;
    view.PixelSizeX = row.pixelSizeX;
    view.PixelSizeY = row.pixelSizeY;
    view.SamplesPerPixel = row.samples;
    Engine engine;
    engine.IndexFrom = row.indexFrom;
    engine.IndexTo = row.indexTo;
    engine.ValueA = row.valueA;
    engine.ConstantC = row.constantC;
    const std::string bytes = FunctionFileBytes(
        FunctionFileFromState(view, engine, "x^lnx", row.bounded, row.lower, row.upper));

    const FunctionFileParse parse = ParseFunctionFile(bytes);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    ViewState loadedView;
    Engine loadedEngine;
    ApplyFunctionFile(*parse.File, loadedView, loadedEngine);
    EXPECT_EQ(parse.File->Expression, "x^lnx");
    EXPECT_EQ(loadedView.PixelSizeX, AtTenDecimals(row.pixelSizeX));
    EXPECT_EQ(loadedView.PixelSizeY, AtTenDecimals(row.pixelSizeY));
    EXPECT_EQ(loadedView.SamplesPerPixel, row.samples);
    EXPECT_EQ(loadedEngine.IndexFrom, row.indexFrom);
    EXPECT_EQ(loadedEngine.IndexTo, row.indexTo);
    EXPECT_EQ(loadedEngine.ValueA, AtTenDecimals(row.valueA));
    EXPECT_EQ(loadedEngine.ConstantC, AtTenDecimals(row.constantC));
    EXPECT_EQ(parse.File->Bounded, row.bounded);
    if (row.bounded) {
        EXPECT_EQ(parse.File->LowerBoundText, row.lower);
        EXPECT_EQ(parse.File->UpperBoundText, row.upper);
    }
    const std::string again = FunctionFileBytes(
        FunctionFileFromState(loadedView, loadedEngine, parse.File->Expression, parse.File->Bounded,
                              parse.File->LowerBoundText, parse.File->UpperBoundText));
    EXPECT_EQ(again, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    States, FunctionFileRoundTrip,
    testing::Values(
        RoundTripRow{"Default", 0.05L, 0.05L, 1, 1, 100, 1, 1, false, "", ""},
        RoundTripRow{"Bounded", 0.01L, 0.2L, 4, 0, 100000, -2.5L, 3, true, "-3.5", "1e1"},
        RoundTripRow{"ScaleEdges", kMinPixelSize, kMaxPixelSize, 1, 0, 1, 0, 0, false, "", ""},
        RoundTripRow{"OneThird", 1.0L / 3, 2.0L / 3, 7, 5, 6, 1.0L / 3, -1.0L / 7, false, "", ""},
        RoundTripRow{"TinyValuesReadAsZero", 0.05L, 0.05L, 1, 1, 2, 4e-11L, 4.9e-11L, false, "",
                     ""},
        RoundTripRow{"LargeValues", 0.05L, 0.05L, 1, 1, 2, 123456789012.25L, -9.5e40L, false, "",
                     ""}),
    [](const testing::TestParamInfo<RoundTripRow>& info) { return info.param.name; });

// A negative value below the tenth decimal is written with its sign and reads back as zero.
TEST(FunctionFileRoundTripText, TinyNegativeValueReadsBackAsZero) {
    Engine engine;
    engine.ValueA = -4e-11L;
    const std::string bytes =
        FunctionFileBytes(FunctionFileFromState(ViewState(), engine, "a", false, "", ""));
    EXPECT_NE(bytes.find("\r\n-0.0000000000\r\n"), std::string::npos) << bytes;
    const FunctionFileParse parse = ParseFunctionFile(bytes);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    EXPECT_EQ(parse.File->ValueA, 0);
}

TEST(FunctionFileRoundTripText, CyrillicExpressionComesBack) {
    const std::string expression = "\xd0\xb0\xd0\xb1\xd0\xb2+x";  // "абв+x"
    const FunctionFileParse parse =
        ParseFunctionFile(FunctionFileBytes(DefaultStateFile(expression)));
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    EXPECT_EQ(parse.File->Expression, expression);
}

}  // namespace
