#pragma once
// What the fuzz targets of the form reader share: every class of the program registered, on the
// headless backend, and a stored form read into a plain form.
#include <cstdlib>
#include <string>

#include "app/AppClasses.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/FormParser.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"

namespace fuzzstoredform {

// As the program starts, without a display: a stored form may name any of its classes.
inline void RegisterClassesOnce()
{
    static const bool ready = [] {
        setenv("OMBRIX_BACKEND", "headless", 1);
        RegisterAppClasses();
        return true;
    }();
    (void)ready;
}

// Reads Text into a fresh plain form, whatever class it names for its root, so that mutations reach the
// components inside. A description that does not fit is refused with the reader's exceptions.
inline void ReadIntoPlainForm(const std::string& Text)
{
    try {
        TFormObject tree = ParseFormText(Text);
        tree.ClassName = "TForm";
        TForm form(nullptr);
        TReader reader(&form);
        reader.ReadRootComponent(tree);
    } catch (const Exception&) {
    }
}

} // namespace fuzzstoredform
