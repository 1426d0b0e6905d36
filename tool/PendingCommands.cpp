// The commands whose picture work is not part of the program yet: each
// fails cleanly, so a script learns at once that nothing was done.
#include "tool/Commands.h"

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

[[noreturn]] void NotAvailable(const char* command)
{
    String text;
    text.Format("The command '%s' is not available yet!", command);
    ThrowTextException(text.GetText());
}

}  // namespace

void ExtractPictures(const std::string&, int, const std::string&, CLogFile&)
{
    NotAvailable("extractpicture");
}

}  // namespace ZAV
