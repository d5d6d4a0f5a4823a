// Every shipped example loads without refusal, is stored as the program writes function files
// (CR LF lines), builds, and computes what its name promises.
#include <gtest/gtest.h>

#include <QDir>
#include <cmath>

#include "engine/evaluator.h"
#include "engine/tree_builder.h"
#include "file_test_support.h"
#include "files/cp1251.h"
#include "files/function_file.h"
#include "messages/messages.h"

namespace {

QStringList Examples() {
    return QDir(TARVIK_EXAMPLES_DIR).entryList({"*.tvk"}, QDir::Files, QDir::Name);
}

// Every cut of every example (the empty file up to the file without its last byte) is refused
// or reads as the whole file does: a damaged file never loads with changed values.
TEST(ShippedExamples, EveryTruncationIsRefusedOrIdentical) {
    int refused = 0;
    int identical = 0;
    for (const QString& name : Examples()) {
        SCOPED_TRACE(name.toStdString());
        const std::string whole = ReadBytes(QStringLiteral(TARVIK_EXAMPLES_DIR "/") + name);
        const FunctionFileParse full = ParseFunctionFile(whole);
        ASSERT_TRUE(full.File);
        const std::string expected = FunctionFileBytes(*full.File);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const FunctionFileParse cut = ParseFunctionFile(whole.substr(0, length));
            if (!cut.File) {
                EXPECT_FALSE(LoadErrorText(cut.Error).empty());
                ++refused;
                continue;
            }
            EXPECT_EQ(FunctionFileBytes(*cut.File), expected) << "cut at " << length;
            EXPECT_GE(length + 2, whole.size()) << "only the last line end may go";
            ++identical;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(identical, 0);
}

TEST(ShippedExamples, AtLeastTen) {
    EXPECT_GE(Examples().size(), 10);
}

TEST(ShippedExamples, EachLoadsBuildsAndIsWrittenAsTheProgramWouldWriteIt) {
    for (const QString& name : Examples()) {
        SCOPED_TRACE(name.toStdString());
        const QString path = QStringLiteral(TARVIK_EXAMPLES_DIR "/") + name;
        const FunctionFileParse parse = LoadFunctionFile(path);
        ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
        EXPECT_EQ(ReadBytes(path), FunctionFileBytes(*parse.File));

        Engine engine;
        ViewState view;
        ApplyFunctionFile(*parse.File, view, engine);
        ASSERT_EQ(BuildExpression(engine, Cp1251FromUtf8(parse.File->Expression)), 0);
        // One sample inside the argument range evaluates without an error.
        const ExtendedReal x =
            parse.File->Bounded ? (parse.File->ArgumentFrom + parse.File->ArgumentTo) / 2 : 0.7L;
        ExtendedReal y = 0;
        EXPECT_TRUE(EvaluateSequence(engine, x, y));
        EXPECT_EQ(engine.EngineError, 0);
        EXPECT_TRUE(std::isfinite(y));
    }
}

// What each example computes: rows of example file, argument and value (the last term of a
// sequence; x is not used by the sequences without x).
TEST(ShippedExamples, ComputeWhatTheirNamesPromise) {
    const struct {
        const char* file;
        ExtendedReal x;
        ExtendedReal value;
        ExtendedReal tolerance;
    } rows[] = {
        {"sinusoida.tvk", 0.5L, 0.479425538604203L, 1e-15L},
        {"sin_10_na_x.tvk", 2, -0.958924274663138L, 1e-15L},
        {"x_v_stepeni_lnx.tvk", 2.718281828459045L, 2.718281828459045L, 1e-14L},
        {"parabola.tvk", 2, -2, 0},
        {"gauss.tvk", 1, 0.606530659712633L, 1e-15L},
        {"tangens.tvk", 0.5L, 0.546302489843790L, 1e-15L},
        {"polukrug.tvk", 0, 2, 0},
        {"zatuhayushie_kolebaniya.tvk", 1, 0.109904372784068L, 1e-15L},
        {"mnogochlen_teylora.tvk", 1, 2.718278769841270L, 1e-14L},
        {"mnogochlen_teylora.tvk", -1, 0.367881944444444L, 1e-14L},
        {"logisticheskoe_otobrazhenie.tvk", -0.6L, 0.642857142857143L, 1e-12L},
        {"faktorial.tvk", 0, 3628800, 0},
        {"slozhnye_procenty.tvk", 0, 1628.894626777442L, 1e-9L},
        {"chislo_e_predel.tvk", 0, 2.718268237174490L, 1e-12L},
        {"chislo_e_ryad.tvk", 0, 2.718281828459045L, 1e-15L},
        {"koren_iz_dvuh.tvk", 0, 1.414213562373095L, 1e-15L},
        {"garmonicheskiy_ryad.tvk", 0, 12.090146129863428L, 1e-12L},
        {"chislo_pi_leibnic.tvk", 0, 3.140592653839793L, 1e-12L},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const FunctionFileParse parse =
            LoadFunctionFile(QStringLiteral(TARVIK_EXAMPLES_DIR "/") + row.file);
        ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
        Engine engine;
        ViewState view;
        ApplyFunctionFile(*parse.File, view, engine);
        ASSERT_EQ(BuildExpression(engine, Cp1251FromUtf8(parse.File->Expression)), 0);
        ExtendedReal value = 0;
        ASSERT_TRUE(EvaluateSequence(engine, row.x, value));
        EXPECT_EQ(engine.EngineError, 0);
        EXPECT_NEAR(static_cast<double>(value), static_cast<double>(row.value),
                    static_cast<double>(row.tolerance));
    }
}

}  // namespace
