#include "image/kernels/quantize/QuantizerMessages.h"

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

struct QuantizerMessage {
    int code;
    const char* format;
};

const QuantizerMessage kMessages[] = {
    {kQuantizerFewColors, "Cannot quantize to fewer than %d colors"},
    {kQuantizerManyColors, "Cannot quantize to more than %d colors"},
};

}  // namespace

String FormatQuantizerMessage(int code, int argument)
{
    String text;
    for (const QuantizerMessage& message : kMessages) {
        if (message.code == code) {
            text.Format(message.format, argument);
            return text;
        }
    }
    text.Format("Bogus message code %d", code);
    return text;
}

void RaiseQuantizerError(const char* prefix, int code, int argument)
{
    const String text = String(prefix) + FormatQuantizerMessage(code, argument) + String("\n");
    throw CTextException(code, text.GetText());
}

}  // namespace ZAV
