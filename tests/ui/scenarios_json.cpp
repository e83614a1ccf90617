// Writes the window scenarios as JSON into the file named by its argument:
// [{"name": ..., "steps": [[verb, control, text], ...],
//   "limits": {engine: {"why": ..., "steps": [...]}, ...}}, ...].
// The page's driver (tests/web/) plays them.
#include "tests/ui/scenarios.h"

#include <cstdio>

namespace {

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text)
        out += c == '\n' ? std::string("\\n") : c == '"' || c == '\\' ? std::string{'\\', c} : std::string{c};
    return out + '"';
}

std::string Steps(const std::vector<scenarios::Step>& steps)
{
    std::string out;
    for (const scenarios::Step& step : steps)
        out += std::string(out.empty() ? "" : ", ") + '[' + Quoted(step.verb->name) + ", "
               + Quoted(step.control) + ", " + Quoted(step.text) + ']';
    return '[' + out + ']';
}

} // namespace

int main(int argc, char* argv[])
{
    std::string out;
    for (const scenarios::Scenario& scenario : scenarios::kAll) {
        out += (out.empty() ? "[{\"name\": " : ",\n{\"name\": ") + Quoted(scenario.name)
               + ", \"steps\": " + Steps(scenario.steps) + ", \"limits\": {";
        for (const scenarios::EngineLimit& limit : scenario.limits)
            out += std::string(&limit == scenario.limits.data() ? "" : ", ") + Quoted(limit.engine)
                   + ": {\"why\": " + Quoted(limit.why) + ", \"steps\": " + Steps(limit.steps) + '}';
        out += "}}";
    }
    std::FILE* file = argc > 1 ? std::fopen(argv[1], "w") : nullptr;
    if (!file || std::fputs((out + "]\n").c_str(), file) < 0 || std::fclose(file) != 0) {
        std::perror(argc > 1 ? argv[1] : "usage: scenarios_json FILE");
        return 1;
    }
}
