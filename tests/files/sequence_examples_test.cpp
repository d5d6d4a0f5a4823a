// The shipped sequence examples show what their names promise in the sequence table's summary.
#include <gtest/gtest.h>

#include "calc/sequence_behaviour.h"
#include "engine/tree_builder.h"
#include "files/cp1251.h"
#include "files/function_file.h"
#include "messages/messages.h"

namespace {

struct ExampleRow {
    const char* file;
    const char* behaviour;
};

class SequenceExample : public testing::TestWithParam<ExampleRow> {};

TEST_P(SequenceExample, SummaryShowsItsBehaviour) {
    const FunctionFileParse parse =
        LoadFunctionFile(QStringLiteral(TARVIK_EXAMPLES_DIR "/") + GetParam().file);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    Engine engine;
    ViewState view;
    ApplyFunctionFile(*parse.File, view, engine);
    ASSERT_EQ(BuildExpression(engine, Cp1251FromUtf8(parse.File->Expression)), 0);
    // Maps without n, so that the cobweb can be drawn for them.
    EXPECT_FALSE(engine.UsesN);
    EXPECT_EQ(BehaviourText(SequenceBehaviour(ComputeTerms(engine, 0))), GetParam().behaviour);
}

const ExampleRow kExampleRows[] = {
    {"logisticheskoe_period_2.tvk", "Цикл периода 2: 0.7994554905; 0.5130445095"},
    {"logisticheskoe_period_4.tvk",
     "Цикл периода 4: 0.8749972636; 0.382819683; 0.8269407066; 0.5008842103"},
    {"nepodvizhnaya_tochka_cos.tvk", "Сходится к 0.7390851332"},
    {"nyuton_koren_iz_dvuh.tvk", "Сходится к 1.4142135624"},
};

INSTANTIATE_TEST_SUITE_P(Shipped, SequenceExample, testing::ValuesIn(kExampleRows));

}  // namespace
