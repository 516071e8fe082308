#include "platform/sys/ModuleVersion.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

int CodeOfTheProgram() { return 1; }

} // namespace

TEST(ModuleVersion, CodeIsFoundInTheModuleThatHoldsIt)
{
    const TModuleHandle program = ModuleOfAddress(reinterpret_cast<const void*>(&CodeOfTheProgram));
    ASSERT_NE(program, nullptr);
    // Code and data of one program are one module; a library linked in dynamically is another.
    static int data = 0;
    EXPECT_EQ(ModuleOfAddress(&data), program);
    const TModuleHandle library = ModuleOfAddress(reinterpret_cast<const void*>(&FT_Init_FreeType));
    EXPECT_NE(library, nullptr);
    EXPECT_NE(library, program);
    EXPECT_EQ(ModuleOfAddress(nullptr), nullptr);
}
