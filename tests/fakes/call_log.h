// One log of every call the fakes receive, in order, so that a test can
// check the order of sound, speech and runtime calls together.
#pragma once

#include <string>
#include <vector>

namespace earshot::fakes {

struct CallLog {
    std::vector<std::string> entries;
    // False keeps the log from growing: a long run that checks the state,
    // not the calls, turns it off.
    bool recording = true;

    void add(std::string entry) {
        if (recording) {
            entries.push_back(std::move(entry));
        }
    }
    void clear() { entries.clear(); }
    // The entries that contain `part`, in order.
    std::vector<std::string> matching(const std::string& part) const;
    // Position of the first entry containing `part` at or after `from`; -1 if none.
    int find(const std::string& part, int from = 0) const;
    // All entries, one a line, for failure messages.
    std::string dump() const;
};

// Formats a float the way the log writes it: shortest text that reads back
// the same Single.
std::string num(float value);

}  // namespace earshot::fakes
