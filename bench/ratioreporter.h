#pragma once

#include <benchmark/benchmark.h>

#include <map>

// Prints, after the usual table, the time of each operation through the
// layer over the same statement on the raw API (with repetitions, of the
// medians): the CPU's, and the full read's real time, which on the server
// includes the server's own work.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        // With repetitions the median stands for the operation.
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_cpu[run.run_name.str()] = run.run_name.str().find("ListFill") == 0 ? run.GetAdjustedRealTime()
                                                                                     : run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto &[name, layer] : m_cpu) {
            const auto at = name.find("_Layer");
            if (at == std::string::npos)
                continue;
            const auto raw = m_cpu.find(name.substr(0, at) + "_Raw" + name.substr(at + 6));
            if (raw != m_cpu.end())
                GetOutputStream() << "ratio layer/raw " << name.substr(0, at) << name.substr(at + 6) << ": "
                                  << layer / raw->second << "\n";
        }
    }

private:
    std::map<std::string, double> m_cpu;
};
