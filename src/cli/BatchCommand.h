#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace s::cli {

// The command line of pellory-batch: the headless face of the very run a
// drop on the window starts.
class BatchCommand {
public:
    static constexpr int kExitOk = 0;
    static constexpr int kExitUsage = 2;

    // Parses the arguments (without the program name). False for a usage
    // error, with the reason in error().
    bool parse(const std::vector<std::u16string>& arguments);
    bool wantsHelp() const { return m_help; }
    int32_t signedStrength() const { return m_mode == 2 ? -m_strength : m_strength; }
    const std::string& error() const { return m_error; }
    // Paths in run order: folders given are replaced by their entries,
    // sorted by name.
    std::vector<std::u16string> expandedPaths() const;

    // Runs the conversion and prints progress to out, messages to err.
    int run(std::FILE* out, std::FILE* err, bool liveBar) const;

    static const char* usage();

private:
    int32_t m_mode = 0;
    int32_t m_strength = 0;
    bool m_help = false;
    std::vector<std::u16string> m_paths;
    std::string m_error;
};

}  // namespace s::cli
