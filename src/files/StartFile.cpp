#include "files/StartFile.h"

#include <algorithm>
#include <cctype>

#include "files/LoadData.h"
#include "files/NetworkFile.h"

namespace qv {

bool IsNetworkFileName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext == ".QVF";
}

bool OpenStartFile(const std::string& path, SessionState& s, MessageSink& sink) {
    if (IsNetworkFileName(path)) {
        // The reader leaves the defaults itself when it fails.
        if (!ReadNetworkFile(path, s, sink)) return false;
        s.CurrentFileName = path;
        return true;
    }
    const std::int16_t held = s.SweepPoints;
    s.SweepPoints = 0;
    if (ParseLoadData(path, s, sink) && s.SweepPoints > 0) {
        const std::string problem = LoadTableProblem(s, path);
        if (problem.empty() && ApplyLoadTable(s)) {
            s.LoadFileName = path;
            return true;
        }
        if (!problem.empty()) sink.ShowMessage(problem);
    }
    s.SweepPoints = held;
    s.SavedSweepPoints = held;
    ResetNetwork(s);
    s.LoadMode = SingleLoad;
    return false;
}

}  // namespace qv
