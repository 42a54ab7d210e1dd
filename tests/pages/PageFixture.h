// A page's session, scripted desktop and navigator, as a page test needs them.
#pragma once

#include "platform/ScriptedHost.h"

namespace qv::test {

struct PageFixture {
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

}  // namespace qv::test
