// Depth-first walks over structure lines held by code number, for the
// structure memory and the parent search. The walks keep their own stack, so
// a chain of any depth is walked without deepening the call stack.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "structure.h"

// The path of a walk by code number, to tell a stored loop from a shared
// item. Entering a code that is on the path already records the loop, named
// by the codes from the repeat down to the same code again (reversed for an
// upward walk), and refuses the step.
class clsIdPath {
public:
    clsIdPath(const std::vector<std::string>& names, clsCycleLog& log, bool reverse = false)
        : names_(names), log_(log), reverse_(reverse), on_(names.size(), 0) {}

    bool Enter(int id) {
        size_t i = static_cast<size_t>(id);
        if (on_[i]) {
            std::vector<std::string> loop;
            for (auto it = std::find(path_.begin(), path_.end(), id); it != path_.end(); ++it)
                loop.push_back(names_[static_cast<size_t>(*it)]);
            loop.push_back(names_[i]);
            if (reverse_) std::reverse(loop.begin(), loop.end());
            log_.Record(loop);
            return false;
        }
        on_[i] = 1;
        path_.push_back(id);
        return true;
    }
    void Leave() {
        on_[static_cast<size_t>(path_.back())] = 0;
        path_.pop_back();
    }

private:
    const std::vector<std::string>& names_;
    clsCycleLog& log_;
    bool reverse_;
    std::vector<char> on_;
    std::vector<int> path_;
};

// What a walk does at a line before the lines beyond it.
struct WalkStep {
    bool descend = true;  // go on beyond the line (unless that closes a loop)
    int tag = 0;          // the value handed to the lines beyond it
};

// Visits the lines reachable from code `top`, depth first and in order, once
// per path: linesOf(code) gives a code's line positions, nextOf(line) the
// code beyond the line or -1 to pass the line by; pre(line, tag) runs before
// the lines beyond it (tag: what pre returned for the line before, topTag at
// the top) and post(line) after them. A step that would enter a code already
// on the path records the loop and goes no further.
template <class LinesOf, class NextOf, class Pre, class Post>
void WalkDepthFirst(int top, int topTag, clsIdPath& path, const LinesOf& linesOf, const NextOf& nextOf,
                    const Pre& pre, const Post& post) {
    struct Frame {
        int code;
        size_t next;
        int tag;
        int line;  // the line that led here (post runs when the frame ends)
    };
    if (top < 0 || !path.Enter(top)) return;
    std::vector<Frame> stack{{top, 0, topTag, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const std::vector<int>& lines = linesOf(f.code);
        if (f.next >= lines.size()) {
            path.Leave();
            int line = f.line;
            stack.pop_back();
            if (!stack.empty()) post(line);
            continue;
        }
        int a = lines[f.next++];
        int next = nextOf(a);
        if (next < 0) continue;
        WalkStep s = pre(a, f.tag);
        if (s.descend && path.Enter(next)) {
            stack.push_back({next, 0, s.tag, a});  // f is not used after this
            continue;
        }
        post(a);
    }
}

// Adds without passing the largest value: counts of rows over many paths.
inline unsigned long long SaturatingAdd(unsigned long long a, unsigned long long b) {
    return a > ~0ULL - b ? ~0ULL : a + b;
}

// The number of lines WalkDepthFirst would visit from top with every step
// descending, counting a line when counts(line) is true, without walking
// every path: a sum over the lines of each code, memoised per code (codes:
// the number of code numbers). A line that closes a loop counts itself only.
template <class LinesOf, class NextOf, class Counts>
unsigned long long CountLinesOnPaths(int top, size_t codes, const LinesOf& linesOf, const NextOf& nextOf,
                                     const Counts& counts) {
    if (top < 0) return 0;
    struct Frame {
        int code;
        size_t next;
        unsigned long long total;
    };
    std::vector<char> state(codes, 0);  // 1 on the path, 2 done
    std::vector<unsigned long long> memo(codes, 0);
    std::vector<Frame> stack{{top, 0, 0}};
    state[static_cast<size_t>(top)] = 1;
    unsigned long long result = 0;
    while (!stack.empty()) {
        Frame& f = stack.back();
        const std::vector<int>& lines = linesOf(f.code);
        if (f.next < lines.size()) {
            int a = lines[f.next++];
            int next = nextOf(a);
            if (next < 0) continue;
            size_t n = static_cast<size_t>(next);
            if (counts(a)) f.total = SaturatingAdd(f.total, 1);
            if (state[n] == 2) f.total = SaturatingAdd(f.total, memo[n]);
            else if (state[n] == 0) {
                state[n] = 1;
                stack.push_back({next, 0, 0});  // f is not used after a push
            }
            continue;
        }
        size_t i = static_cast<size_t>(f.code);
        state[i] = 2;
        memo[i] = f.total;
        stack.pop_back();
        if (stack.empty()) result = memo[i];
        else stack.back().total = SaturatingAdd(stack.back().total, memo[i]);
    }
    return result;
}
