// A data file and a settings file per test, with the small structures of
// structdata.h.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dbfixture.h"
#include "settings.h"
#include "structdata.h"

class StructFile : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        SetSettingsPath(dir.File("Velmo.ini"));
    }
    void TearDown() override { SetSettingsPath(""); }

    void Items(const std::string& spec) { InsertItems(dao, spec); }
    void Lines(const std::string& spec) { InsertLines(dao, spec); }
};

// A tree walk (WalkTree of the structure or the parent search) as text: one
// line per node, indented by depth; codeOf names the node of a line.
template <class Walker>
std::string TreeText(Walker& w, const std::string& root, const std::function<std::string(int line)>& codeOf) {
    std::vector<int> depth{0};
    std::string out = root + "\n";
    w.WalkTree(root, 0, [&](int node, int line) {
        int d = depth[static_cast<size_t>(node)] + 1;
        depth.push_back(d);
        out += std::string(static_cast<size_t>(d), ' ') + codeOf(line) + "\n";
        return static_cast<int>(depth.size()) - 1;
    });
    return out;
}
