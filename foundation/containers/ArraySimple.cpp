#include "foundation/containers/ArraySimple.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"

namespace ZAV {

void ThrowInvalidArrayIndex(int32_t index, int32_t count)
{
    String text;
    text.Format("Invalid array index '%d' (array of %d elements)!", index, count);
    ThrowTextException(text.GetText());
}

}  // namespace ZAV
