// The benchmark runner: runs every benchmark, then prints a table of ratios for the names of
// the form "<Variant>/<label>": the engine beside the hand-written floor and muparser.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions only the medians count; without, every run.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const std::string name = run.run_name.function_name;
            const size_t slash = name.find('/');
            if (slash == std::string::npos) continue;
            const std::string label = name.substr(slash + 1);
            if (times_.find(label) == times_.end()) order_.push_back(label);
            // A run of several steps is shown per step.
            const auto steps = run.counters.find("steps");
            const double divisor = steps == run.counters.end() ? 1 : steps->second.value;
            // Work spread over threads or processes is timed by the wall clock.
            const double time = run.run_name.time_type == "real_time" ? run.GetAdjustedRealTime()
                                                                      : run.GetAdjustedCPUTime();
            times_[label][name.substr(0, slash)] = time / divisor;
        }
    }

    void PrintTable() const {
        std::printf("\n%-16s %10s %10s %10s %10s %12s %14s %11s\n", "expression", "engine ns",
                    "floor ns", "muparser ns", "walk ns", "engine/floor", "engine/muparser",
                    "engine/walk");
        for (const std::string& label : order_) {
            const auto& row = times_.at(label);
            const double engine = Get(row, "Engine");
            if (engine == 0) continue;
            const double floor = Get(row, "Floor");
            const double muparser = Get(row, "Muparser");
            const double walk = Get(row, "Walk");
            std::printf("%-16s %10.2f %10.2f %10.2f %10.2f %12.3f %14.3f %11.3f\n", label.c_str(),
                        engine, floor, muparser, walk, floor > 0 ? engine / floor : 0,
                        muparser > 0 ? engine / muparser : 0, walk > 0 ? engine / walk : 0);
        }
    }

  private:
    static double Get(const std::map<std::string, double>& row, const std::string& key) {
        const auto it = row.find(key);
        return it == row.end() ? 0 : it->second;
    }

    std::vector<std::string> order_;
    std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
