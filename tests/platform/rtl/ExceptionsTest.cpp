#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(ExceptionsMessage, WhatAndMessageAgreeAndCanChange)
{
    EConvertError e("bad");
    EXPECT_STREQ(e.what(), "bad");
    e.SetMessage("worse");
    EXPECT_EQ(e.Message(), "worse");
    EXPECT_STREQ(e.what(), "worse");
}

TEST(ExceptionsHierarchy, FileErrorsAreStreamErrors)
{
    EXPECT_THROW(throw EFOpenError("x"), EStreamError);
    EXPECT_THROW(throw EFCreateError("x"), EStreamError);
    EXPECT_THROW(throw EReadError("x"), Exception);
    EXPECT_THROW(Abort(), EAbort);
}

TEST(ExceptionsOSError, CarriesTheCodeAndTheContext)
{
    errno = ENOENT;
    try {
        RaiseLastOSError("/tmp/none");
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
        EXPECT_EQ(e.Message(), "/tmp/none: System Error. Code: 2. No such file or directory");
    }
    try {
        RaiseOSError(EACCES);
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message(), "System Error. Code: 13. Permission denied");
    }
}
