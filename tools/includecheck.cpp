// Checks the include graph of the source tree (src/): each folder includes
// only itself and the folders beneath it, and no module (a header with the
// source file of the same name) reaches itself again through its includes.
//   includecheck ROOT
// Prints every problem found and exits with 1, or exits with 0 when none.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What each folder may include: portable <- shared <- resident and editor;
// the dialog controls serve the editor alone and build on nothing.
const std::map<std::string, std::set<std::string>> ALLOWED = {
    {"portable", {"portable"}},
    {"shared", {"shared", "portable"}},
    {"dlgctl", {"dlgctl"}},
    {"resident", {"resident", "shared", "portable"}},
    {"editor", {"editor", "dlgctl", "shared", "portable"}},
};

struct SourceFile {
    std::string folder;
    std::string name;
    std::vector<std::string> includes;  // quoted names, as written
};

// A module is "folder/stem": x.h and x.cpp are one node of the graph.
std::string moduleOf(const std::string& folder, const std::string& name)
{
    return folder + "/" + fs::path(name).stem().string();
}

std::vector<SourceFile> readTree(const fs::path& root)
{
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<SourceFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        SourceFile file;
        file.folder = fs::relative(entry.path().parent_path(), root).generic_string();
        file.name = entry.path().filename().string();
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line))
            if (std::regex_search(line, match, include))
                file.includes.push_back(match[1]);
        files.push_back(file);
    }
    std::sort(files.begin(), files.end(), [](const SourceFile& a, const SourceFile& b) {
        return a.folder + "/" + a.name < b.folder + "/" + b.name;
    });
    return files;
}

// The folder a quoted include names: the includer's own folder first, as the
// compiler looks, then the one other folder that holds a file of that name.
// Paths are not resolved: every folder is on the include path, so a path in
// an include only hides which folder it reaches.
bool resolve(const std::map<std::string, std::set<std::string>>& foldersByName, const SourceFile& from,
             const std::string& name, std::string* folder, std::string* problem)
{
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
        *problem = "names a path; name the file alone, the include path finds it";
        return false;
    }
    auto found = foldersByName.find(name);
    if (found == foldersByName.end()) {
        *problem = "is not in the tree";
        return false;
    }
    if (found->second.count(from.folder)) {
        *folder = from.folder;
        return true;
    }
    if (found->second.size() > 1) {
        *problem = "is in several folders";
        return false;
    }
    *folder = *found->second.begin();
    return true;
}

// Depth-first search that reports each cycle it closes, as a path.
class CycleFinder {
public:
    explicit CycleFinder(const std::map<std::string, std::set<std::string>>& edges) : edges_(edges) {}

    int report()
    {
        for (const auto& node : edges_)
            if (state_[node.first] == UNSEEN)
                visit(node.first);
        return cycles_;
    }

private:
    enum State { UNSEEN, ON_PATH, DONE };

    void visit(const std::string& node)
    {
        state_[node] = ON_PATH;
        path_.push_back(node);
        auto out = edges_.find(node);
        if (out != edges_.end()) {
            for (const std::string& next : out->second) {
                if (state_[next] == ON_PATH) {
                    auto start = std::find(path_.begin(), path_.end(), next);
                    std::cout << "include cycle:";
                    for (auto at = start; at != path_.end(); ++at)
                        std::cout << " " << *at << " ->";
                    std::cout << " " << next << "\n";
                    ++cycles_;
                } else if (state_[next] == UNSEEN) {
                    visit(next);
                }
            }
        }
        path_.pop_back();
        state_[node] = DONE;
    }

    const std::map<std::string, std::set<std::string>>& edges_;
    std::map<std::string, State> state_;
    std::vector<std::string> path_;
    int cycles_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: includecheck ROOT\n";
        return 2;
    }
    std::vector<SourceFile> files = readTree(argv[1]);
    std::map<std::string, std::set<std::string>> foldersByName;
    for (const SourceFile& file : files)
        foldersByName[file.name].insert(file.folder);

    int problems = 0;
    std::map<std::string, std::set<std::string>> edges;
    for (const SourceFile& file : files) {
        std::string where = file.folder + "/" + file.name;
        auto allowed = ALLOWED.find(file.folder);
        if (allowed == ALLOWED.end()) {
            std::cout << where << ": the folder " << file.folder << " has no place among the layers\n";
            ++problems;
            continue;
        }
        std::string self = moduleOf(file.folder, file.name);
        edges[self];
        for (const std::string& name : file.includes) {
            std::string folder;
            std::string problem;
            if (!resolve(foldersByName, file, name, &folder, &problem)) {
                std::cout << where << ": \"" << name << "\" " << problem << "\n";
                ++problems;
                continue;
            }
            if (!allowed->second.count(folder)) {
                std::cout << where << ": includes " << folder << "/" << name << ", but " << file.folder
                          << " may not depend on " << folder << "\n";
                ++problems;
            }
            std::string target = moduleOf(folder, name);
            if (target != self)
                edges[self].insert(target);
        }
    }
    problems += CycleFinder(edges).report();
    if (problems == 0)
        std::cout << files.size() << " files in " << edges.size() << " modules: every include points downward, no cycle\n";
    return problems == 0 ? 0 : 1;
}
