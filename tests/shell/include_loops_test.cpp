// Includes run one way: no two files of the program (a header with its
// source counted as one) include each other's headers. The check reads the
// `#include "..."` lines of every source and header below the source tree.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The name in a line `#include "name"` (spaces allowed around the '#'); by
// hand, as GCC 12 warns inside std::regex in the sanitizer build.
std::optional<std::string> quotedInclude(const std::string& line) {
    const auto skipSpace = [&](size_t at) { return line.find_first_not_of(" \t", at); };
    size_t at = skipSpace(0);
    if (at == std::string::npos || line[at] != '#')
        return std::nullopt;
    at = skipSpace(at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0)
        return std::nullopt;
    at = skipSpace(at + 7);
    if (at == std::string::npos || line[at] != '"')
        return std::nullopt;
    const size_t end = line.find('"', at + 1);
    if (end == std::string::npos || end == at + 1)
        return std::nullopt;
    return line.substr(at + 1, end - at - 1);
}

using Unit = std::string; // a file's path from the root, less its extension
using Pair = std::pair<Unit, Unit>;

bool isCode(const fs::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".c";
}

// Every unit that includes another's header, both ways, each pair once in order.
std::set<Pair> includeLoops(const fs::path& root, const std::set<std::string>& skipped) {
    std::map<std::string, std::vector<fs::path>> byName; // file name -> where it lies
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() &&
            (skipped.count(name) || name.rfind("build", 0) == 0 || name.rfind('.', 0) == 0)) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file() && isCode(it->path())) {
            files.push_back(it->path());
            byName[name].push_back(it->path());
        }
    }
    const auto unitOf = [&](const fs::path& path) {
        return fs::relative(path, root).replace_extension().generic_string();
    };
    std::map<Unit, std::set<Unit>> uses;
    for (const fs::path& file : files) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            const std::optional<std::string> quoted = quotedInclude(line);
            if (!quoted)
                continue;
            const fs::path named = *quoted;
            fs::path found = (file.parent_path() / named).lexically_normal();
            if (!fs::exists(found)) {
                const auto candidates = byName.find(named.filename().string());
                if (candidates == byName.end())
                    continue; // a library's header
                found = candidates->second.front();
            }
            if (unitOf(found) != unitOf(file))
                uses[unitOf(file)].insert(unitOf(found));
        }
    }
    std::set<Pair> loops;
    for (const auto& [unit, used] : uses)
        for (const Unit& other : used)
            if (unit < other && uses[other].count(unit))
                loops.insert({unit, other});
    return loops;
}

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

} // namespace

TEST(IncludeLoops, TheCheckFindsAHeaderUsedByTheFileThatItsSourceIncludes) {
    const fs::path root = fs::temp_directory_path() / "hearvex_include_loops_test";
    fs::remove_all(root);
    write(root / "a/track.h", "#pragma once\n#include <vector>\n");
    write(root / "a/track.cpp", "#include \"track.h\"\n#include \"media.h\"\n");
    write(root / "a/media.h", "#pragma once\n#include \"track.h\"\n");
    write(root / "b/steps.h", "#include \"../b/types.h\"\n");
    write(root / "b/types.h", "#pragma once\n");
    write(root / "b/run.cpp", "#include \"steps.h\"\n#include \"types.h\"\n");
    write(root / "tests/x.cpp", "#include \"steps.h\"\n");
    write(root / "b/steps.cpp", "  #  include \"run.h\"\n#include \"x.h\"\n");
    write(root / "b/run.h", "#pragma once\n");
    const std::set<Pair> expected = {{"a/media", "a/track"}, {"b/run", "b/steps"}};
    EXPECT_EQ(includeLoops(root, {"tests"}), expected);
    fs::remove_all(root);
}

TEST(IncludeLoops, NoTwoFilesOfTheProgramIncludeEachOther) {
    const std::set<Pair> loops = includeLoops(HEARVEX_SOURCE_DIR, {"tests", "bench", "build"});
    for (const Pair& loop : loops)
        ADD_FAILURE() << loop.first << " <-> " << loop.second;
}
