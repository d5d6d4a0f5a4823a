// The curve set file: a set comes back to the bit, missing keys take their defaults, and damaged
// or foreign files are refused with where and why, leaving the document as it was.
#include "files/curve_set_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool SameBits(ExtendedReal a, ExtendedReal b) {
    return std::memcmp(&a, &b, 10) == 0;
}

Curve Built(const char* text, CurveParameters parameters) {
    Curve curve;
    int32_t code = 0;
    EXPECT_TRUE(BuildCurve(text, parameters, curve, code));
    return curve;
}

TEST(CurveSetFile, RoundTripToTheBit) {
    PlotDocument document;
    document.View.ViewOriginX = -20.0L / 3;
    document.View.ViewOriginY = 1e-4000L;
    document.View.PixelSizeX = 0.05L;
    document.View.PixelSizeY = 1.0L / 7;
    document.View.SamplesPerPixel = 4;
    document.Frame = {0x102030, false, true, true};
    Curve first = Built("sinx*c", {1.0L / 3, 2, 0, 50});
    first.LineColour = kCurvePalette[1];
    first.BoundArgument = true;
    first.ArgumentFrom = -0.1L;
    first.ArgumentTo = 3.14159265358979323851L;
    Curve second = Built("a+n*x", {1, -1.0L / 9, 1, 7});
    second.Lines = false;
    second.Visible = false;
    document.Curves.Add(first);
    document.Curves.Add(second);

    PlotDocument read;
    ASSERT_TRUE(ParseCurveSetFile(CurveSetFileBytes(document), read).Ok());
    EXPECT_TRUE(SameBits(read.View.ViewOriginX, document.View.ViewOriginX));
    EXPECT_TRUE(SameBits(read.View.ViewOriginY, document.View.ViewOriginY));
    EXPECT_TRUE(SameBits(read.View.PixelSizeY, document.View.PixelSizeY));
    EXPECT_EQ(read.View.SamplesPerPixel, 4);
    EXPECT_EQ(read.Frame, document.Frame);
    ASSERT_EQ(read.Curves.Size(), size_t(2));
    for (size_t i = 0; i < 2; ++i) {
        const Curve& a = document.Curves.At(i);
        const Curve& b = read.Curves.At(i);
        EXPECT_EQ(b.Expression, a.Expression);
        EXPECT_EQ(b.LineColour, a.LineColour);
        EXPECT_EQ(b.Lines, a.Lines);
        EXPECT_EQ(b.Visible, a.Visible);
        EXPECT_EQ(b.BoundArgument, a.BoundArgument);
        EXPECT_TRUE(SameBits(b.ArgumentFrom, a.ArgumentFrom));
        EXPECT_TRUE(SameBits(b.ArgumentTo, a.ArgumentTo));
        EXPECT_TRUE(SameBits(b.Built->ConstantC, a.Built->ConstantC));
        EXPECT_TRUE(SameBits(b.Built->ValueA, a.Built->ValueA));
        EXPECT_EQ(b.Built->IndexFrom, a.Built->IndexFrom);
        EXPECT_EQ(b.Built->IndexTo, a.Built->IndexTo);
    }
    // Written twice, the same bytes.
    EXPECT_EQ(CurveSetFileBytes(read), CurveSetFileBytes(document));
}

TEST(CurveSetFile, MissingKeysTakeTheirDefaults) {
    PlotDocument read;
    const QByteArray bytes =
        R"({"format": "tarvik-curves", "version": 1, "curves": [{"expression": "sinx"}]})";
    ASSERT_TRUE(ParseCurveSetFile(bytes, read).Ok());
    ASSERT_EQ(read.Curves.Size(), size_t(1));
    const Curve& curve = read.Curves.At(0);
    EXPECT_EQ(curve.LineColour, kYellow);
    EXPECT_TRUE(curve.Lines && curve.Visible && !curve.BoundArgument);
    EXPECT_EQ(ParametersOf(*curve.Built), CurveParameters{});
    EXPECT_EQ(read.Curves.Selected(), std::optional<size_t>(0));
}

TEST(CurveSetFile, DamagedFilesAreRefusedAndChangeNothing) {
    struct Case {
        const char* bytes;
        SetFileError error;
        int line;
        int column;
        int curve;
        const char* key;
    };
    const char* const head = R"({"format": "tarvik-curves", "version": 1, )";
    const Case cases[] = {
        {"{\"format\": \"tarvik-curves\",\n  \"version\" 1}", SetFileError::Syntax, 2, 14, 0, ""},
        {"", SetFileError::Syntax, 1, 1, 0, ""},
        {"[1, 2]", SetFileError::NotAnObject, 0, 0, 0, ""},
        {R"({"format": "other", "version": 1, "curves": []})", SetFileError::UnknownFormat, 0, 0, 0,
         ""},
        {R"({"format": "tarvik-curves", "version": 2, "curves": []})", SetFileError::UnknownVersion,
         0, 0, 0, ""},
        {R"("view": {"pixelSizeX": 0.05}, "curves": []})", SetFileError::BadValue, 0, 0, 0,
         "pixelSizeX"},
        {R"("view": {"pixelSizeY": "0"}, "curves": []})", SetFileError::BadValue, 0, 0, 0,
         "pixelSizeY"},
        {R"("curves": [{"expression": "x"}, {"expression": "x", "c": "1,5"}]})",
         SetFileError::BadValue, 0, 0, 2, "c"},
        {R"("curves": [{"expression": "x", "colour": "yellow"}]})", SetFileError::BadValue, 0, 0, 1,
         "colour"},
        {R"("curves": [{"expression": "x", "mode": "dots"}]})", SetFileError::BadValue, 0, 0, 1,
         "mode"},
        {R"("curves": [{"colour": "#ffff00"}]})", SetFileError::BadValue, 0, 0, 1, "expression"},
        {R"("curves": [{"expression": "(x"}]})", SetFileError::BadExpression, 0, 0, 1,
         "expression"},
    };
    for (const Case& c : cases) {
        const std::string text = std::string(c.bytes).rfind("\"curves\"", 0) == 0 ||
                                         std::string(c.bytes).rfind("\"view\"", 0) == 0
                                     ? std::string(head) + c.bytes
                                     : std::string(c.bytes);
        PlotDocument document;
        document.Curves.Add(Built("x", {}));
        const SetFileRefusal refusal = ParseCurveSetFile(QByteArray::fromStdString(text), document);
        EXPECT_EQ(refusal.Error, c.error) << text;
        EXPECT_EQ(refusal.Line, c.line) << text;
        EXPECT_EQ(refusal.Column, c.column) << text;
        EXPECT_EQ(refusal.Curve, c.curve) << text;
        EXPECT_EQ(refusal.Key, c.key) << text;
        EXPECT_EQ(document.Curves.Size(), size_t(1)) << text;
    }
}

TEST(CurveSetFile, ColourTexts) {
    EXPECT_EQ(ColourText(kYellow), "#ffff00");
    EXPECT_EQ(ColourText(kCurvePalette[1]), "#56b4e9");
    Colour colour = 0;
    EXPECT_TRUE(ParseColourText("#56B4E9", colour));
    EXPECT_EQ(colour, kCurvePalette[1]);
    for (const char* bad : {"56b4e9", "#56b4e", "#56b4e9a", "#56b4eg", "# 6b4e9"}) {
        EXPECT_FALSE(ParseColourText(bad, colour)) << bad;
    }
}

}  // namespace
