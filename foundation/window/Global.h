// The process-wide objects of the library's window utilities, each made by
// a start-up initialiser and destroyed at exit: the module globals, the
// mouse-pointer table, the tooltip and the image list. None needs a display.
#pragma once

#include "foundation/text/String.h"
#include "foundation/window/ImageList.h"
#include "foundation/window/MousePointers.h"
#include "foundation/window/MyToolTip.h"
#include "foundation/window/TimerDispatcher.h"

namespace ZAV {

class CGlobal {
public:
    HINSTANCE resourceModule = nullptr;
    String text;
    CTimerDispatcher timers;
};

CGlobal& Global();
CZAVMousePointers& MousePointers();
CMyToolTip& ToolTip();
CImageList& ImageList();

// Where resources come from: kept in the module globals, given to the
// mouse-pointer table, which loads its cursors again.
void SetResourceModule(HINSTANCE module);

}  // namespace ZAV
