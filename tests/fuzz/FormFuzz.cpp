// libFuzzer entry point for the form-description reader: the fuzzer's bytes are a stored form, read
// into a fresh form with every class of the program registered. A description that does not fit is
// refused with the reader's exceptions; a crash, a hang, a leak or a sanitizer report is a finding.
// Whatever class the description names for its root, it is read into a plain form, so that mutations
// of the seeds (the program's own forms) reach the components inside.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzStoredForm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzstoredform::RegisterClassesOnce();
    fuzzstoredform::ReadIntoPlainForm(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
