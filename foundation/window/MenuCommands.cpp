#include "foundation/window/MenuCommands.h"

namespace ZAV {

namespace {

std::map<int, CMenuCommand> BuildCommands()
{
    static const char* const kCaptions[] = {"&Pan",      "Zoom &In", "Zoom &Out", "Zoom &Window", "&Zoom 100%",
                                            "Zoom &Fit", "&Magnify", "&600%",     "&400%",        "&200%",
                                            "&75%",      "&50%",     "25%",       "&10%",         "Zoom &Selected"};
    std::map<int, CMenuCommand> commands;
    int key = 1;
    for (const char* caption : kCaptions) {
        CMenuCommand& command = commands[key];
        command.id = key++;
        command.caption = String(caption);
    }
    return commands;
}

std::vector<CViewerTool> BuildTools()
{
    static const char* const kNames[] = {
        "Fit",  "Zoom window", "Zoom selection", "Zoom in", "Zoom out", "Magnify", "Zoom 100%", "Pan",  "Point",
        "Line", "Linestring",  "Rectangle",      "Polygon", "Circle",   "Ellipse", "Move",      "Edit", "Rotate"};
    std::vector<CViewerTool> tools;
    int id = 1;
    for (const char* name : kNames)
        tools.push_back(CViewerTool{name, id++, 0});
    return tools;
}

// Made by the start-up initialisers, like the other window objects.
const std::map<int, CMenuCommand> g_commands = BuildCommands();
const std::vector<CViewerTool> g_tools = BuildTools();

}  // namespace

const std::map<int, CMenuCommand>& GetViewerCommands()
{
    return g_commands;
}

const std::vector<CViewerTool>& GetViewerTools()
{
    return g_tools;
}

}  // namespace ZAV
