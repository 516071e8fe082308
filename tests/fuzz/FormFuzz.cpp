// libFuzzer entry point for the form-description reader: the fuzzer's bytes are a stored form, read
// into a fresh form with every class of the program registered. A description that does not fit is
// refused with the reader's exceptions; a crash, a hang, a leak or a sanitizer report is a finding.
// Whatever class the description names for its root, it is read into a plain form, so that mutations
// of the seeds (the program's own forms) reach the components inside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/AppClasses.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/FormParser.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        setenv("OMBRIX_BACKEND", "headless", 1);
        RegisterAppClasses();
        return true;
    }();
    (void)ready;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        TFormObject tree = ParseFormText(text);
        tree.ClassName = "TForm";
        TForm form(nullptr);
        TReader reader(&form);
        reader.ReadRootComponent(tree);
    } catch (const Exception&) {
    }
    return 0;
}
