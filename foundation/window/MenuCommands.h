// The viewer's command and tool tables, built at start-up for the library's
// interactive callers.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "foundation/text/String.h"

namespace ZAV {

struct CMenuCommand {
    int id = 0;
    String caption;
    String tooltip;
    int state = 0;
    int image = -1;
};

struct CViewerTool {
    std::string name;
    int id = 0;  // the tool's place in the table, from 1
    int state = 0;
};

// Keys 1 to 15.
const std::map<int, CMenuCommand>& GetViewerCommands();
const std::vector<CViewerTool>& GetViewerTools();

}  // namespace ZAV
