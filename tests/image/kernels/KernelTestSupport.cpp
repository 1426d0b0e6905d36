#include "image/kernels/KernelTestSupport.h"

#include <sstream>

#include "support/TestSupport.h"

namespace ZAVTest {

std::vector<double> PythonNumbers(const std::string& program)
{
    TempDir folder;
    const std::string script = folder.File("check.py");
    WriteText(script, program);
    const RunResult run = Run("/usr/bin/python3 " + ShellQuote(script));
    std::vector<double> numbers;
    if (run.exitCode != 0)
        return numbers;
    std::istringstream text(run.output);
    double value;
    while (text >> value)
        numbers.push_back(value);
    return numbers;
}

std::string PythonBytes(const std::vector<uint8_t>& bytes)
{
    std::string literal = "bytes([";
    for (uint8_t value : bytes)
        literal += std::to_string(value) + ",";
    return literal + "])";
}

}  // namespace ZAVTest
