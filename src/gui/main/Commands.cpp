#include "gui/main/Commands.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace orv {

namespace {
struct Entry {
    const char* name;
    CommandInstaller installer;
};
std::vector<Entry>& registry()
{
    static std::vector<Entry> all;
    return all;
}
}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, CommandInstaller installer)
{
    registry().push_back({name, installer});
}

void installRegisteredCommands(TfrmMain& main)
{
    std::vector<Entry> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Entry& a, const Entry& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const Entry& e : sorted)
        e.installer(main);
}

}  // namespace orv
