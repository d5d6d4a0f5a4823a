// The keeper of a0 puts the running value back however its scope ends.
#include "engine/value_a_keeper.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

struct KeeperCase {
    const char* name;
    std::function<void(Engine&)> scope;  // changes a and leaves in its own way
};

class ValueAKeeperTest : public testing::TestWithParam<KeeperCase> {};

TEST_P(ValueAKeeperTest, PutsTheValueBack) {
    Engine engine;
    engine.ValueA = 2.5L;
    try {
        const ValueAKeeper keeper(engine);
        EXPECT_EQ(keeper.Kept(), 2.5L);
        GetParam().scope(engine);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(engine.ValueA, 2.5L);
}

INSTANTIATE_TEST_SUITE_P(Engine, ValueAKeeperTest,
                         testing::Values(KeeperCase{"unchanged", [](Engine&) {}},
                                         KeeperCase{"changed", [](Engine& e) { e.ValueA = 120; }},
                                         KeeperCase{"thrown",
                                                    [](Engine& e) {
                                                        e.ValueA = -1;
                                                        throw std::runtime_error("overflow");
                                                    }}),
                         [](const testing::TestParamInfo<KeeperCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
